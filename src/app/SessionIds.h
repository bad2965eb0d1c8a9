#pragma once

// File menu commands of sessions, below the menu's stored items.
inline constexpr int kSaveSessionCommand = 32800;
inline constexpr int kOpenSessionCommand = 32801;
