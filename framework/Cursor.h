#pragma once
// The cursor shape behind the application's wait cursor (no-op on the headless side).

namespace framework {

void ShowCursorShape(bool wait);

}  // namespace framework
