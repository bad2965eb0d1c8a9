#pragma once

// The "please wait" box shown while a long command runs.
inline constexpr int IDD_WAITMESSAGE = 104;
