#include "ui/imageCategories.h"

#include "resources/FormLook.h"
#include "ui/CBitmapButton.h"
#include "ui/DialogLayout.h"
#include "ui/ImageDialogIds.h"
#include "ui/imageimport.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace {

using dialoglayout::Point;
using dialoglayout::Rect;

}  // namespace

imageCategories::imageCategories(const std::string& databasePath, UserInterface& ui, QWidget* parent)
    : QDialog(parent), m_databasePath(databasePath), m_ui(ui) {
    setObjectName(QString::number(IDD_IMAGECATEGORIES));
    setWindowTitle("Select Image Sources");
    setFixedSize(Rect(0, 0, 186, 155).size());
    ApplyFormLook(*this);

    // A report view with one column and a check box in every row.
    m_categoryList = new QTreeWidget(this);
    m_categoryList->setObjectName(QString::number(IDC_CATEGORY_LIST));
    m_categoryList->setGeometry(Rect(36, 7, 106, 97));
    m_categoryList->setColumnCount(1);
    m_categoryList->setHeaderLabels({"Image Category"});
    m_categoryList->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_categoryList->header()->setStretchLastSection(false);
    m_categoryList->setColumnWidth(0, 300);
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
        connect(button, &QAbstractButton::clicked, this, [this, id = b.id] {
            switch (id) {
                case IDC_SOURCES_IMPORT: OnImport(); break;
                case IDC_SOURCES_REFRESH: OnRefresh(); break;
                case IDC_SOURCES_SAVE: OnSave(); break;
                default: accept(); break;
            }
        });
    }
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
    for (const ImageCategoryRow& row : m_rows) {
        auto* item = new QTreeWidgetItem(m_categoryList, {QString::fromStdString(row.name)});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, row.ticked ? Qt::Checked : Qt::Unchecked);
    }
}

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
