// Messages of the display: what the operator is told when a picture cannot be had.
#pragma once

#include <string_view>

namespace display {

inline constexpr std::string_view kMsgImageLoadFailed = "画像の読み込みに失敗しました。";
inline constexpr std::string_view kMsgTextureCreateFailed = "テクスチャの作成に失敗しました。";
inline constexpr std::string_view kMsgCameraTextureFailed = "画像テクスチャの作成に失敗しました。";

}  // namespace display
