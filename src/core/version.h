// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tramola {
constexpr const char* productName = "Tramola";
constexpr const char* productVersion = "4.13";
constexpr const char* productDate = "2025-09-23";
}   // namespace tramola
