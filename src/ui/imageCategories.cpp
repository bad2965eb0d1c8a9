// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/imageCategories.h"

#include "resources/FormLook.h"
#include "ui/CBitmapButton.h"
#include "ui/DialogLayout.h"
#include "ui/ImageDialogIds.h"
#include "ui/ThumbnailFiller.h"
#include "ui/ThumbnailMaker.h"
#include "ui/imageimport.h"

#include "db/SqlDatabase.h"
#include "images/CategoryPictures.h"

#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>

namespace {

using dialoglayout::Point;
using dialoglayout::Rect;

const QSize kDialogSize = Rect(0, 0, 186, 155).size();
const QRect kListPlace = Rect(36, 7, 106, 97);
constexpr int kNameColumnWidth = 300;
constexpr int kStripColumn = 1;
// Rows the window shows at once when it opens with thumbnails.
constexpr int kRowsShown = 10;

QString CacheFolderFor(const std::string& databasePath) {
    return QFileInfo(QFile::decodeName(databasePath.c_str())).absolutePath() + "/thumbnails";
}

// Category ID -> its first pictures; none when the library cannot be read
// (loading the list has said so already).
std::map<long, CategoryPictures> PicturesToShow(const std::string& databasePath) {
    try {
        SqlDatabase db(SqlDatabase::OpenMode::ExistingOnly);
        db.Open(databasePath);
        return FirstPicturesOfCategories(db);
    } catch (const CppSQLite3Exception&) {
        return {};
    }
}

QString CountText(long count) {
    QString text = count == 1 ? QString("1 picture") : QString("%1 pictures").arg(count);
    if (count > static_cast<long>(kPicturesShownPerCategory)) {
        text += QString(", the first %1 shown").arg(kPicturesShownPerCategory);
    }
    return text;
}

// Keeps every row as high as a strip before its thumbnails are there.
QPixmap EmptyStrip() {
    QPixmap blank(1, thumbnails::kHeight);
    blank.fill(Qt::transparent);
    return blank;
}

}  // namespace

imageCategories::imageCategories(const std::string& databasePath, UserInterface& ui, QWidget* parent)
        : QDialog(parent), m_databasePath(databasePath), m_ui(ui) {
    setObjectName(QString::number(IDD_IMAGECATEGORIES));
    setWindowTitle("Select Image Sources");
    // Its own size at least; it opens larger when there are thumbnails.
    setMinimumSize(kDialogSize);
    resize(kDialogSize);
    ApplyFormLook(*this);

    // A report view with one column and a check box in every row.
    m_categoryList = new QTreeWidget(this);
    m_categoryList->setObjectName(QString::number(IDC_CATEGORY_LIST));
    m_categoryList->setGeometry(kListPlace);
    m_categoryList->setColumnCount(2);
    m_categoryList->setHeaderLabels({"Image Category", "Pictures"});
    m_categoryList->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_categoryList->header()->setStretchLastSection(false);
    m_categoryList->setColumnWidth(0, kNameColumnWidth);
    m_categoryList->setRootIsDecorated(false);
    m_categoryList->setUniformRowHeights(true);
    m_categoryList->setSelectionMode(QAbstractItemView::SingleSelection);

    const struct {
        int id;
        const char* caption;
        int left, top;
    } buttons[] = {{IDC_SOURCES_IMPORT, "import", 40, 107},
                   {IDC_SOURCES_REFRESH, "refresh", 90, 107},
                   {IDC_SOURCES_SAVE, "savesel", 7, 131},
                   {IDC_SOURCES_EXIT, "exitsel", 129, 132}};
    for (const auto& b : buttons) {
        auto* button = new CBitmapButton(this);
        button->AutoLoad(QString::fromLatin1(b.caption));
        button->setObjectName(QString::number(b.id));
        button->move(Point(b.left, b.top));
        m_buttons.push_back({button, Point(b.left, b.top), b.id == IDC_SOURCES_EXIT});
        connect(button, &QAbstractButton::clicked, this, [this, id = b.id] {
            switch (id) {
                case IDC_SOURCES_IMPORT: OnImport(); break;
                case IDC_SOURCES_REFRESH: OnRefresh(); break;
                case IDC_SOURCES_SAVE: OnSave(); break;
                default: accept(); break;
            }
        });
    }

    m_filler = std::make_unique<ThumbnailFiller>(
        databasePath, CacheFolderFor(databasePath),
        [this](long categoryId, const QList<QImage>& strip) { ShowStrip(categoryId, strip); });
}

imageCategories::~imageCategories() = default;

void imageCategories::OnInitDialog() { LoadList(); }

int imageCategories::DoModal() {
    OnInitDialog();
    return exec();
}

void imageCategories::LoadList() {
    m_categoryList->clear();
    m_rows = LoadImageCategoryRows(m_databasePath, m_ui);
    const std::map<long, CategoryPictures> pictures = PicturesToShow(m_databasePath);
    std::vector<ThumbnailFiller::Category> strips;
    for (const ImageCategoryRow& row : m_rows) {
        auto* item = new QTreeWidgetItem(m_categoryList, {QString::fromStdString(row.name)});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, row.ticked ? Qt::Checked : Qt::Unchecked);
        const auto found = pictures.find(row.id);
        if (found == pictures.end()) continue;
        item->setToolTip(kStripColumn, CountText(found->second.count));
        strips.push_back({row.id, found->second.firstIds});
    }
    const bool showStrips = !strips.empty();
    for (int i = 0; showStrips && i < m_categoryList->topLevelItemCount(); ++i) {
        m_categoryList->topLevelItem(i)->setData(kStripColumn, Qt::DecorationRole, EmptyStrip());
    }
    m_strips.assign(m_rows.size(), {});
    m_categoryList->setColumnHidden(kStripColumn, !showStrips);
    m_categoryList->header()->setStretchLastSection(showStrips);
    if (showStrips) {
        FitToStrips();
    } else {
        m_categoryList->setColumnWidth(0, kNameColumnWidth);
    }
    // Made on first show: a dialog that is only set up decodes nothing.
    m_filler->Start({});
    m_pendingStrips = std::move(strips);
    m_stripsWaitForShow = true;
    if (isVisible()) StartStrips();
}

void imageCategories::StartStrips() {
    m_stripsWaitForShow = false;
    m_filler->Start(std::move(m_pendingStrips));
    m_pendingStrips.clear();
}

void imageCategories::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_stripsWaitForShow) {
        StartStrips();
    } else {
        m_filler->Resume();
    }
}

// A closed window decodes nothing until it shows again.
void imageCategories::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    m_filler->Pause();
}

void imageCategories::ShowStrip(long categoryId, const QList<QImage>& strip) {
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].id != categoryId) continue;
        m_strips[i] = strip;
        const QPixmap pixmap = thumbnails::ComposeStrip(strip, palette());
        if (QTreeWidgetItem* item = m_categoryList->topLevelItem(static_cast<int>(i))) {
            item->setData(kStripColumn, Qt::DecorationRole, pixmap.isNull() ? EmptyStrip() : pixmap);
        }
    }
}

// Opens wide enough for the names and a strip of typical photos, and tall
// enough for several rows, within the screen. Once: a size the user gave
// the window is kept.
void imageCategories::FitToStrips() {
    if (m_sizedForStrips) return;
    m_sizedForStrips = true;
    m_categoryList->resizeColumnToContents(0);
    m_categoryList->setColumnWidth(0, std::clamp(m_categoryList->columnWidth(0) + 8, 120, kNameColumnWidth));
    const int typicalWidth = thumbnails::kHeight * 4 / 3 + thumbnails::kGap;
    const int stripWidth = static_cast<int>(kPicturesShownPerCategory) * typicalWidth + 8;
    m_categoryList->setColumnWidth(kStripColumn, stripWidth);
    const int frame = 2 * m_categoryList->frameWidth();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int rows = std::min<int>(kRowsShown, static_cast<int>(m_rows.size()));
    const int rowHeight = std::max(m_categoryList->sizeHintForRow(0), thumbnails::kHeight + 2);
    const QSize listSize(m_categoryList->columnWidth(0) + stripWidth + frame + scrollBar,
                         m_categoryList->header()->sizeHint().height() + rows * rowHeight + frame);
    QSize wanted = kDialogSize + (listSize - kListPlace.size()).expandedTo(QSize(0, 0));
    if (const QScreen* shown = screen()) wanted = wanted.boundedTo(shown->availableGeometry().size() - QSize(40, 80));
    resize(wanted.expandedTo(kDialogSize));
}

void imageCategories::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const QSize grown = (size() - kDialogSize).expandedTo(QSize(0, 0));
    m_categoryList->setGeometry(kListPlace.adjusted(0, 0, grown.width(), grown.height()));
    for (const PlacedButton& placed : m_buttons) {
        placed.button->move(placed.place + QPoint(placed.followsRight ? grown.width() : 0, grown.height()));
    }
}

QList<QImage> imageCategories::Strip(int row) const {
    return row >= 0 && row < static_cast<int>(m_strips.size()) ? m_strips[static_cast<std::size_t>(row)]
                                                               : QList<QImage>();
}

bool imageCategories::ThumbnailsReady() const { return !m_stripsWaitForShow && m_filler->Done(); }

int imageCategories::PicturesDecoded() const { return m_filler->Decoded(); }

QString imageCategories::ThumbnailFolder() const { return CacheFolderFor(m_databasePath); }

std::vector<ImageCategoryRow> imageCategories::Rows() const {
    std::vector<ImageCategoryRow> rows = m_rows;
    for (int i = 0; i < m_categoryList->topLevelItemCount() && i < static_cast<int>(rows.size()); ++i) {
        rows[static_cast<size_t>(i)].ticked = m_categoryList->topLevelItem(i)->checkState(0) == Qt::Checked;
    }
    return rows;
}

void imageCategories::OnRefresh() { LoadList(); }

void imageCategories::OnSave() { SaveImageSelection(m_databasePath, Rows(), m_ui); }

imageimport& imageCategories::ImportDialog() {
    if (m_importDialog == nullptr) m_importDialog = new imageimport(m_databasePath, m_ui, this);
    return *m_importDialog;
}

void imageCategories::OnImport() { ImportDialog().DoModal(); }
