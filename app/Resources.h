// The program's resources: identifiers and texts of the dialogs, menu item and icon.
#pragma once

#include <cstdint>
#include <string_view>

namespace resources {

inline constexpr std::uint32_t IDM_ABOUTBOX = 0x0010;
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDB_BANNER = 132;

inline constexpr std::string_view kMainCaption = "Vantolu";
// String 101: the About item of the main window's system menu.
inline constexpr std::string_view kAboutMenuText = "バージョン情報 Meziro(&A)...";

inline constexpr std::string_view kAboutCaption = "バージョン情報 Meziro";
inline constexpr std::string_view kAboutVersion = "Meziro, Version 1.0";
inline constexpr std::string_view kAboutSecondLine = "Vantolu 身長計測ディスプレイ";

inline constexpr std::string_view kHeightCaption = "高さ入力";
inline constexpr std::string_view kHeightPrompt = "KINECTを設置した高さを入力してください。";
inline constexpr std::string_view kHeightUnit = "cm";
inline constexpr std::string_view kOkText = "OK";
inline constexpr std::string_view kCancelText = "キャンセル";

// Messages of the application shell.
inline constexpr std::string_view kMsgSensorInitFailed = "キネクトの初期化に失敗しました。";
inline constexpr std::string_view kMsgOpenGLInitFailed = "OpenGLの初期化に失敗しました。";
inline constexpr std::string_view kMsgExit = "アプリケーションを終了します。";
inline constexpr std::string_view kMsgEnterNumber = "数字を入力してください。";

}  // namespace resources
