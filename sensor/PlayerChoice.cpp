// Background-removal player choice: the stream follows the nearest tracked skeleton, unless
// the one it already follows is still tracked somewhere in the frame.
#include <limits>

#include "app/MeziroDlg.h"

using namespace runtime;

HRESULT CMeziroDlg::ChooseBackgroundRemovalPlayer(
    const std::array<NUI_SKELETON_DATA, NUI_SKELETON_COUNT>& skeletons) {
  float nearest = std::numeric_limits<float>::max();
  std::uint32_t chosenId = 0;
  for (const NUI_SKELETON_DATA& skeleton : skeletons) {
    if (skeleton.trackingState != NUI_SKELETON_TRACKED) {
      continue;
    }
    if (skeleton.trackingId == m_trackedPlayerId) {
      return S_OK;
    }
    // Strictly nearer only, so the lower slot wins a tie.
    if (nearest > skeleton.position.z) {
      chosenId = skeleton.trackingId;
      nearest = skeleton.position.z;
    }
  }
  if (chosenId == 0 || !m_pBackgroundRemovalStream) {
    return S_OK;
  }
  const HRESULT result = m_pBackgroundRemovalStream->SetTrackedPlayer(chosenId);
  if (SUCCEEDED(result)) {
    m_trackedPlayerId = chosenId;
  }
  return result;
}
