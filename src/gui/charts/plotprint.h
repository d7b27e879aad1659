// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QwtPlot;

// The print of every plot: the print dialog on a high-resolution landscape printer named after
// the plot's title; a grayscale printer gets no canvas background and framed scales, which
// read better without colour. Nothing happens when the dialog is cancelled.
void printPlot(QwtPlot* plot);
