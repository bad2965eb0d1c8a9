// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/imageimport.h"

#include "resources/FormLook.h"
#include "support/ForwardingUserInterface.h"
#include "ui/CBitmapButton.h"
#include "ui/DialogLayout.h"
#include "ui/ImageDialogIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QRadioButton>

#include <algorithm>
#include <functional>

namespace {

// Laid out in dialog units, as the program's other windows are.
using dialoglayout::Point;
using dialoglayout::Rect;

QLabel* AddLabel(QWidget* parent, const char* text, const QRect& where) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setGeometry(where);
    return label;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Room in a title bar for the window's icon and its buttons.
constexpr int kTitleBarRoom = 140;

// Passes everything on, but runs `beforeMessage` before each message.
class ProgressHidingInterface : public ForwardingUserInterface {
public:
    ProgressHidingInterface(UserInterface& inner, std::function<void()> beforeMessage)
            : ForwardingUserInterface(inner), m_beforeMessage(std::move(beforeMessage)) {}

    MessageResult ShowMessage(const std::string& text, const std::string& caption,
                              MessageButtons buttons = MessageButtons::Ok) override {
        m_beforeMessage();
        return ForwardingUserInterface::ShowMessage(text, caption, buttons);
    }

private:
    std::function<void()> m_beforeMessage;
};

// The list sorts as the list box of a sorted combo does: ignoring case.
std::vector<std::string> SortedForList(std::vector<std::string> names) {
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) < 0;
    });
    return names;
}

}  // namespace

imageimport::imageimport(const std::string& databasePath, UserInterface& ui, QWidget* parent)
        : QDialog(parent), m_importer(databasePath), m_ui(ui) {
    setObjectName(QString::number(IDD_IMAGEIMPORT));
    setWindowTitle("Import Custom Images");
    setFixedSize(Rect(0, 0, 229, 179).size());
    ApplyFormLook(*this);
    BuildControls();
}

imageimport::~imageimport() = default;

CBitmapButton* imageimport::AddPictureButton(int id, const char* caption, int left, int top) {
    auto* button = new CBitmapButton(this);
    button->AutoLoad(QString::fromLatin1(caption));
    button->setObjectName(QString::number(id));
    button->move(Point(left, top));
    return button;
}

void imageimport::BuildControls() {
    m_existingRadio = new QRadioButton(this);
    m_existingRadio->setObjectName(QString::number(IDC_EXISTING_CATEGORY_RADIO));
    m_existingRadio->setGeometry(Rect(17, 15, 12, 11));
    AddLabel(this, "Add images to existing category:", Rect(33, 15, 180, 10));

    m_categoryCombo = new QComboBox(this);
    m_categoryCombo->setObjectName(QString::number(IDC_CATEGORY_COMBO));
    m_categoryCombo->setEditable(true);
    m_categoryCombo->setInsertPolicy(QComboBox::NoInsert);
    m_categoryCombo->setMaxVisibleItems(8);
    m_categoryCombo->setGeometry(Rect(17, 37, 192, 14));

    m_newRadio = new QRadioButton(this);
    m_newRadio->setObjectName(QString::number(IDC_NEW_CATEGORY_RADIO));
    m_newRadio->setGeometry(Rect(17, 58, 10, 11));
    AddLabel(this, "Type in a new image category:", Rect(33, 58, 180, 10));

    // The edit is drawn over this older caption and hides it.
    QLabel* hidden = AddLabel(this, "Add images to new catgeory:", Rect(17, 74, 155, 9));
    m_newName = new QLineEdit(this);
    m_newName->setObjectName(QString::number(IDC_NEW_CATEGORY_EDIT));
    m_newName->setGeometry(Rect(17, 72, 192, 15));
    hidden->lower();

    AddLabel(this, "Select folder to import GIF files from:", Rect(17, 97, 190, 10));
    m_folderEdit = new QLineEdit(this);
    m_folderEdit->setObjectName(QString::number(IDC_IMPORT_FOLDER_EDIT));
    m_folderEdit->setGeometry(Rect(17, 114, 168, 15));
    // A path typed or pasted counts as much as one chosen with the button.
    connect(m_folderEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        // An emptied field is the folder an import starts from, never the root.
        const std::string folder = text.trimmed().toStdString();
        m_importer.SetImportFolder(folder.empty() ? DefaultImportFolder() : folder);
    });

    auto* folder = AddPictureButton(IDC_IMPORT_FOLDER_BUTTON, "open", 191, 113);
    folder->setToolTip("Choose the folder to import pictures from (GIF, PNG, JPEG, WebP)");
    m_reduceLarge = new QCheckBox("Reduce large pictures", this);
    m_reduceLarge->setObjectName(QString::number(IDC_REDUCE_LARGE));
    m_reduceLarge->setGeometry(Rect(17, 130, 192, 11));
    m_reduceLarge->setToolTip(
        "Store a picture over 372000 bytes as a smaller copy (at most 1600 pixels on its "
        "longest side) instead of skipping it; your file is not changed");
    m_importButton = AddPictureButton(IDC_IMPORT_BUTTON, "import", 62, 143);
    auto* exit = AddPictureButton(IDC_IMPORT_EXIT, "exitsel", 119, 143);

    connect(folder, &QAbstractButton::clicked, this, [this] { OnChooseFolder(); });
    connect(m_importButton, &QAbstractButton::clicked, this, [this] { OnImport(); });
    connect(exit, &QAbstractButton::clicked, this, &QDialog::reject);
}

void imageimport::OnInitDialog() {
    m_listed = m_importer.LoadCategoryNames(m_ui);
    m_categoryCombo->clear();
    for (const std::string& name : SortedForList(m_listed)) m_categoryCombo->addItem(Q(name));
    m_categoryCombo->setCurrentIndex(m_categoryCombo->count() > 0 ? 0 : -1);
    m_existingRadio->setChecked(true);
    // Each opening starts with an empty new name; the folder stays.
    m_newName->clear();
}

int imageimport::DoModal() {
    OnInitDialog();
    return exec();
}

void imageimport::OnChooseFolder() { m_folderEdit->setText(Q(m_importer.ChooseFolder(m_ui))); }

CategoryChoice imageimport::CurrentChoice() const {
    CategoryChoice choice;
    choice.newCategory = m_newRadio->isChecked();
    choice.selected = m_categoryCombo->currentText().toStdString();
    choice.typed = m_newName->text().toStdString();
    return choice;
}

void imageimport::keyPressEvent(QKeyEvent* event) {
    // Enter confirms, as a default button does; a focused picture button
    // (the folder button, exit) answers for itself.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (!enter || modifiers != Qt::NoModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    auto* focused = qobject_cast<CBitmapButton*>(focusWidget());
    CBitmapButton* button = focused != nullptr ? focused : m_importButton;
    if (button->isEnabled()) button->click();
    event->accept();
}

void imageimport::ShowProgress(int done, int found) {
    m_progressSteps.push_back(done);
    // Only while files are stored: before, messages about the category or
    // the folder may still come, and a box over them takes their keys.
    if (m_progress == nullptr && done < found) m_progress = MakeProgressBox();
    if (m_progress == nullptr) return;
    m_progress->setMaximum(std::max(found, 1));
    m_progress->setValue(done);
    m_progress->setLabelText(QString("Importing pictures: %1 of %2").arg(done).arg(found));
    QCoreApplication::processEvents();
}

std::unique_ptr<QProgressDialog> imageimport::MakeProgressBox() {
    auto progress = std::make_unique<QProgressDialog>("Importing pictures...", QString(), 0, 1, this);
    progress->setObjectName("importprogress");
    progress->setWindowTitle(windowTitle());
    progress->setWindowModality(Qt::WindowModal);
    progress->setCancelButton(nullptr);  // an import runs to its end
    progress->setMinimumDuration(300);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    // Wide enough for its title beside the title bar's icon and buttons.
    QFont titleFont = progress->font();
    titleFont.setBold(true);
    progress->setMinimumWidth(QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + kTitleBarRoom);
    return progress;
}

void imageimport::OnImport() {
    m_progressSteps.clear();
    m_importButton->setEnabled(false);
    m_importer.SetReduceLarge(m_reduceLarge->isChecked());
    // Every message of the import closes the progress box first.
    ProgressHidingInterface ui(m_ui, [this] { m_progress.reset(); });
    m_lastReport =
        m_importer.Import(CurrentChoice(), m_listed, ui, [this](int done, int found) { ShowProgress(done, found); });
    m_progress.reset();
    m_importButton->setEnabled(true);
    // A category made now is listed at once, so that typing its name again
    // counts as a duplicate instead of making a second one.
    if (m_lastReport.categoryCreated) {
        m_listed.push_back(m_lastReport.categoryName);
        const QString current = m_categoryCombo->currentText();
        m_categoryCombo->clear();
        for (const std::string& name : SortedForList(m_listed)) m_categoryCombo->addItem(Q(name));
        const int index = m_categoryCombo->findText(current);
        if (index >= 0) {
            m_categoryCombo->setCurrentIndex(index);
        } else {
            m_categoryCombo->setEditText(current);
        }
    }
    ShowImportResult(m_ui, m_lastReport);
}
