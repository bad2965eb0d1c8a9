// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "page/CollageModel.h"

#include <QDialog>

class QTableWidget;

// View > "Last Mix": per source of the last GO, the share of the draw its
// weight asked for and the shares of snips and of words the page got.
class LastMixBox : public QDialog {
public:
    explicit LastMixBox(QWidget* parent);
    void ShowMix(const collage::Collage& page);

private:
    QTableWidget* m_table = nullptr;
};
