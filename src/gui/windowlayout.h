// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QMainWindow;
class QSplitter;

// The window's size, position and splitter, kept in the settings from one run to the next.
namespace WindowLayout {

// As last saved; at the first start 1280 by 800 where the screen has room (else most of it) and
// the splitter's first side at firstWidth.
void restore(QMainWindow* window, QSplitter* splitter, int firstWidth);
void save(const QMainWindow& window, const QSplitter& splitter);

}   // namespace WindowLayout
