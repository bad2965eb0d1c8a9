// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LibraryPictureDialog.h"

#include "composer/ImageItems.h"
#include "db/CppSQLite3Exception.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "images/CategoryPictures.h"
#include "images/ImageSources.h"
#include "ui/BoardIds.h"
#include "ui/ThumbnailMaker.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace {

// Apart from the sources window's, which keeps only each category's first few.
QString CacheFolderFor(const std::string& databasePath) {
    return QFileInfo(QFile::decodeName(databasePath.c_str())).absolutePath() + "/thumbnails/all";
}

// Category ID -> the IDs of all its pictures; none when the library cannot
// be read (the category list has said so).
std::map<long, std::vector<long>> PicturesByCategory(const std::string& databasePath) {
    std::map<long, std::vector<long>> ids;
    try {
        SqlDatabase db(SqlDatabase::OpenMode::ExistingOnly);
        db.Open(databasePath);
        for (auto& [category, pictures] : FirstPicturesOfCategories(db, std::numeric_limits<std::size_t>::max()))
            ids[category] = std::move(pictures.firstIds);
    } catch (const CppSQLite3Exception&) {}
    return ids;
}

// The pictures' stored names, by ID; reads no picture.
std::map<long, QString> PictureNames(const std::string& databasePath, const std::vector<long>& ids) {
    std::map<long, QString> names;
    try {
        SqlDatabase db(SqlDatabase::OpenMode::ExistingOnly);
        db.Open(databasePath);
        for (long id : ids) {
            SqlQuery query = db.Query(wordsdb::SelectImageInfo(id));
            const char* name = query.IsEof() ? nullptr : query.FieldText(0);
            names[id] = QString::fromStdString(BaseFileName(name != nullptr ? name : ""));
        }
    } catch (const CppSQLite3Exception&) {}
    return names;
}

QPixmap Thumbnail(const QImage& image, const QPalette& palette) {
    return thumbnails::ComposeStrip(QList<QImage>{image}, palette);
}

}  // namespace

LibraryPictureDialog::LibraryPictureDialog(std::string databasePath, UserInterface& ui, QWidget* parent)
        : QDialog(parent), m_databasePath(std::move(databasePath)), m_ui(ui) {
    setObjectName(QString::number(IDD_BOARD_PICTURE));
    setWindowTitle("Add Picture");
    m_categories = new QListWidget(this);
    m_categories->setObjectName(QString::number(IDC_PICTURE_CATEGORIES));
    m_categories->setMaximumWidth(200);
    m_pictures = new QListWidget(this);
    m_pictures->setObjectName(QString::number(IDC_PICTURE_LIST));
    m_pictures->setViewMode(QListView::IconMode);
    m_pictures->setResizeMode(QListView::Adjust);
    m_pictures->setMovement(QListView::Static);
    m_pictures->setIconSize(QSize(thumbnails::kMaxWidth, thumbnails::kHeight));
    m_pictures->setGridSize(QSize(thumbnails::kMaxWidth + 40, thumbnails::kHeight + 36));
    m_pictures->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    m_file = buttons->addButton("From &File...", QDialogButtonBox::ActionRole);
    m_file->setObjectName(QString::number(IDC_PICTURE_FROM_FILE));
    m_add = buttons->addButton("&Add", QDialogButtonBox::AcceptRole);
    m_add->setDefault(true);
    m_add->setEnabled(false);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { Choose(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_file, &QPushButton::clicked, this, [this] {
        m_fromFile = true;
        accept();
    });
    connect(m_categories, &QListWidget::currentRowChanged, this, [this](int row) { ShowCategory(row); });
    connect(m_pictures, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* current) { m_add->setEnabled(current != nullptr); });
    connect(m_pictures, &QListWidget::itemActivated, this, [this] { Choose(); });

    auto* lists = new QHBoxLayout;
    lists->addWidget(m_categories, 1);
    lists->addWidget(m_pictures, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addWidget(buttons);
    resize(640, 420);

    m_filler = std::make_unique<ThumbnailFiller>(
        m_databasePath, CacheFolderFor(m_databasePath),
        [this](long categoryId, const QList<QImage>& strip) { ShowThumbnails(categoryId, strip); });
    LoadCategories();
}

LibraryPictureDialog::~LibraryPictureDialog() = default;

void LibraryPictureDialog::LoadCategories() {
    m_pictureIds = PicturesByCategory(m_databasePath);
    // Only categories that hold a picture: the others offer nothing to add.
    for (const ImageCategoryRow& row : LoadImageCategoryRows(m_databasePath, m_ui)) {
        const auto found = m_pictureIds.find(row.id);
        if (found == m_pictureIds.end() || found->second.empty()) continue;
        auto* item = new QListWidgetItem(
            QString("%1 (%2)").arg(QString::fromStdString(row.name)).arg(found->second.size()), m_categories);
        item->setData(Qt::UserRole, static_cast<qlonglong>(row.id));
        m_categoryIds.push_back(row.id);
    }
    if (!m_categoryIds.empty()) m_categories->setCurrentRow(0);
}

void LibraryPictureDialog::ShowCategory(int row) {
    m_pictures->clear();
    m_add->setEnabled(false);
    if (row < 0 || row >= static_cast<int>(m_categoryIds.size())) return;
    m_shownCategory = m_categoryIds[static_cast<size_t>(row)];
    const std::vector<long>& ids = m_pictureIds[m_shownCategory];
    const std::map<long, QString> names = PictureNames(m_databasePath, ids);
    const QPixmap waiting = Thumbnail(QImage(), palette());
    for (long id : ids) {
        const QString name = names.count(id) ? names.at(id) : QString();
        auto* item = new QListWidgetItem(QIcon(waiting), name, m_pictures);
        item->setData(Qt::UserRole, static_cast<qlonglong>(id));
        item->setToolTip(name);
    }
    // The thumbnails fill in a picture at a time while the window answers.
    m_filler->Start({{m_shownCategory, ids}});
}

void LibraryPictureDialog::ShowThumbnails(long categoryId, const QList<QImage>& strip) {
    if (categoryId != m_shownCategory) return;
    for (int i = 0; i < strip.size() && i < m_pictures->count(); ++i) {
        QListWidgetItem* item = m_pictures->item(i);
        if (item->data(Qt::UserRole + 1).toBool()) continue;
        item->setIcon(QIcon(Thumbnail(strip[i], palette())));
        item->setData(Qt::UserRole + 1, true);
    }
}

void LibraryPictureDialog::Choose() {
    const QListWidgetItem* current = m_pictures->currentItem();
    if (current == nullptr) return;
    m_chosen = static_cast<long>(current->data(Qt::UserRole).toLongLong());
    m_fromFile = false;
    accept();
}
