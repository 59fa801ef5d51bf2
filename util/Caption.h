#pragma once
// The caption of every message box the program shows itself.

inline constexpr char kCaption[] = "決算書";
