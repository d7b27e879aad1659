// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Registers the images packed into the widgets library (":/images/…").
void initTramolaResources();
