// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "À propos": the product, its revision and date, and whom to write to.
void showAboutBox();
