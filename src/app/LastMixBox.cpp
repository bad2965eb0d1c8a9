// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LastMixBox.h"

#include "composer/CutUpText.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString Percent(double share, int count = -1) {
    // A page read back does not know the weights its run was given.
    if (share < 0) return "unknown";
    QString text = QString::number(100 * share, 'f', 1) + "%";
    return count < 0 ? text : text + QString(" (%1)").arg(count);
}

}  // namespace

LastMixBox::LastMixBox(QWidget* parent) : QDialog(parent) {
    setObjectName("lastMix");
    setWindowTitle("Last Mix");
    m_table = new QTableWidget(0, 4, this);
    m_table->setObjectName("lastMixTable");
    m_table->setHorizontalHeaderLabels({"Source", "Weight", "Snips", "Words"});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    resize(420, 180);
}

void LastMixBox::ShowMix(const collage::Collage& page) {
    const std::vector<collage::MixLine> lines = collage::MixOf(page);
    m_table->setRowCount(static_cast<int>(lines.size()));
    for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
        const collage::MixLine& line = lines[static_cast<size_t>(row)];
        const QString cells[] = {QString::fromStdString(line.label), Percent(line.weightShare),
                                 Percent(line.snipShare, line.snips), Percent(line.wordShare, line.words)};
        for (int column = 0; column < 4; ++column) m_table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
}
