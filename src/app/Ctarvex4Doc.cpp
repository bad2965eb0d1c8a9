// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Ctarvex4Doc.h"

#include <fstream>

bool Ctarvex4Doc::OnOpenDocument(const std::string& path) { return bool(std::ifstream(path, std::ios::binary)); }
