// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trackview.h"

#include "form/MainFormState.h"
#include "form/TrackState.h"
#include "resources/FormLook.h"
#include "resources/Pictures.h"
#include "resources/ResourceIds.h"
#include "richtext/DocumentRichEdit.h"
#include "support/UserInterface.h"
#include "tracks/TrackCommands.h"
#include "tracks/WordShredder.h"
#include "ui/CBitmapButton.h"
#include "ui/DialogLayout.h"
#include "ui/EditMenuIds.h"
#include "ui/TrackWindowIds.h"
#include "ui/authors.h"
#include "wordbooks/FillCommands.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>

namespace {

// The window is laid out in dialog units, as the main form is.
using dialoglayout::Place;
using dialoglayout::Point;
using dialoglayout::Rect;
constexpr int kWidthUnits = 434;
constexpr int kHeightUnits = 302;

QLabel* AddLabel(QWidget* parent, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->move(Point(left, top));
    label->adjustSize();
    return label;
}

}  // namespace

trackview::trackview(TrackState& track, UserInterface& ui, const QString& title)
        : QWidget(nullptr, Qt::Window),
          m_track(track),
          m_ui(ui),
          m_commandUi(
              ui, [this] { ShowWaitMessage(); }, [this] { HideWaitMessage(); }) {
    setObjectName(QString::number(IDD_TRACKVIEW));
    setWindowTitle(title);
    setWindowIcon(AppIcon());
    setFixedSize(Rect(0, 0, kWidthUnits, kHeightUnits).size());
    ApplyFormFont(*this);
    m_look = MakeLookLayer(*this);

    ShowTrackText();
    InitialiseTrack(m_track);
    BuildToolRow();
    BuildCutSettings();
    BuildShredder();
    BuildContextMenu();
    WatchKeys();
    ShowState();
}

trackview::~trackview() = default;

void trackview::ShowTrackText() {
    auto* edit = new QtRichEdit(this);
    Place(edit, IDC_TRACKTEXT, Rect(7, 27, 420, 190));
    // The main form's Ctrl+Z is its own command; here the text's own undo of typing serves.
    edit->SetTypingUndo(true);
    // The state's text outlives the window; the widget shows it while it lives.
    edit->ShowText(*m_track.m_trackText);
    m_text = edit;
}

CBitmapButton* trackview::AddPictureButton(int id, const char* caption, int left, int top, const char* tip) {
    auto* button = new CBitmapButton(this);
    button->AutoLoad(QString::fromLatin1(caption));
    button->setObjectName(QString::number(id));
    button->move(Point(left, top));
    // The text keeps the keyboard focus while the tool row is used, so that
    // paste (which needs the focus in the text) works from its button.
    button->setFocusPolicy(Qt::NoFocus);
    if (tip != nullptr) button->setToolTip(QString::fromLatin1(tip));
    return button;
}

authors* trackview::AuthorsDialog() {
    if (m_authorsDialog == nullptr) m_authorsDialog = new authors(m_commandUi, this);
    return m_authorsDialog;
}

void trackview::BuildToolRow() {
    auto* font = AddPictureButton(IDC_TRACK_FONT, "font", 10, 8, "Change Font Size or Style");
    auto* open = AddPictureButton(IDC_TRACK_OPEN, "open", 26, 8, "Open a text file to fill track with");
    auto* undo = AddPictureButton(IDC_TRACK_UNDO, "undo", 42, 8, "Undo last process or edit");
    auto* cut = AddPictureButton(IDC_TRACK_CUT, "cutbutton", 62, 8, "Cut selected range of text");
    auto* copy = AddPictureButton(IDC_TRACK_COPY, "copybutton", 78, 8, "Copy selected range of text");
    auto* paste = AddPictureButton(IDC_TRACK_PASTE, "pastebutton", 94, 8, "Paste text from Windows clipboard");
    auto* fill = AddPictureButton(IDC_TRACK_FILL, "fill", 114, 8, "Pour a random sample of words into the track");
    auto* authorsButton = AddPictureButton(IDC_TRACK_AUTHORS, "authors", 130, 8,
                                           "Get a random mix of words from a classic author's writings");
    auto* palette = AddPictureButton(IDC_TRACK_PALETTE, "pallette", 150, 8, nullptr);

    connect(fill, &QAbstractButton::clicked, this, [this] { FillRandomWords(); });
    connect(authorsButton, &QAbstractButton::clicked, this, [this] { FillAuthorOrWordbook(); });
    connect(font, &QAbstractButton::clicked, this, [this] {
        ChangeTrackFont(m_track, m_ui);
        m_text->setFocus();
    });
    connect(open, &QAbstractButton::clicked, this, [this] { OpenTrackFile(m_track, m_ui); });
    connect(undo, &QAbstractButton::clicked, this, [this] { UndoTrack(m_track); });
    connect(cut, &QAbstractButton::clicked, this, [this] { m_text->cut(); });
    connect(copy, &QAbstractButton::clicked, this, [this] { m_text->copy(); });
    connect(paste, &QAbstractButton::clicked, this, [this] {
        if (m_text->hasFocus()) m_text->paste();
    });
    connect(palette, &QAbstractButton::clicked, this, [this] { ChooseTrackColour(m_track, m_ui); });
}

void trackview::BuildCutSettings() {
    Place(new QGroupBox("Collage Settings", m_look), 0, Rect(7, 222, 205, 74));
    AddLabel(this, "Number of words per cut:", 14, 234);
    static constexpr std::array<int, 6> kIds{IDC_CUT1, IDC_CUT2, IDC_CUT3, IDC_CUT4, IDC_CUT5, IDC_CUT6};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 6; ++i) {
        auto* radio = new QRadioButton(QString::number(settings::kWordsPerCut.minimum + i), m_look);
        m_wordsPerCut[i] = Place(radio, kIds[i], Rect(14 + 24 * i, 245, 22, 10));
        group->addButton(radio);
        connect(radio, &QAbstractButton::toggled, this, [this] { WriteState(); });
    }

    AddLabel(this, "Collage Style:", 14, 262);
    m_style = Place(new WidePopupComboBox(m_look), IDC_TRACK_STYLE, Rect(80, 259, 84, 13));
    for (const char* style : kCollageStyles) m_style->addItem(QString::fromLatin1(style));
    connect(m_style, &QComboBox::currentIndexChanged, this, [this] { WriteState(); });

    m_useWhole = Place(new QCheckBox("Use Whole (no cuts)", this), IDC_USEWHOLE, Rect(14, 279, 100, 10));
    connect(m_useWhole, &QAbstractButton::toggled, this, [this] { WriteState(); });
}

void trackview::BuildShredder() {
    Place(new QGroupBox("Word Shredder", m_look), 0, Rect(219, 222, 208, 74));
    AddLabel(this, "Fragment Type", 226, 234);
    auto* types = new QButtonGroup(this);
    m_fragmentType[0] = Place(new QRadioButton("Prefix", m_look), IDC_PREFIX, Rect(226, 245, 40, 10));
    m_fragmentType[1] = Place(new QRadioButton("Suffix", m_look), IDC_SUFFIX, Rect(270, 245, 40, 10));

    AddLabel(this, "Fragment Size (# letters)", 226, 262);
    auto* sizes = new QButtonGroup(this);
    static constexpr std::array<int, 3> kSizeIds{IDC_FRAGMENT3, IDC_FRAGMENT4, IDC_FRAGMENT5};
    for (int i = 0; i < 3; ++i) {
        m_fragmentSize[i] = Place(new QRadioButton(QString::number(settings::kFragmentSize.minimum + i), m_look),
                                  kSizeIds[i], Rect(226 + 24 * i, 275, 22, 10));
        sizes->addButton(m_fragmentSize[i]);
    }
    for (auto* radio : m_fragmentType) types->addButton(radio);
    for (auto* radio : m_fragmentType) connect(radio, &QAbstractButton::toggled, this, [this] { WriteState(); });
    for (auto* radio : m_fragmentSize) connect(radio, &QAbstractButton::toggled, this, [this] { WriteState(); });

    auto* shred = AddPictureButton(IDC_SHRED, "shred", 364, 252, "Shred all words into fragments");
    connect(shred, &QAbstractButton::clicked, this, [this] { ShredTrack(m_track); });
}

void trackview::BuildContextMenu() {
    m_contextMenu = new QMenu("Edit", this);
    m_contextMenu->setObjectName(QString::number(IDR_EDIT_POPUP));
    auto* cut = m_contextMenu->addAction("Cut");
    cut->setObjectName(QString::number(ID_POPUP_CUT));
    auto* copy = m_contextMenu->addAction("Copy");
    copy->setObjectName(QString::number(ID_POPUP_COPY));
    auto* paste = m_contextMenu->addAction("Paste");
    paste->setObjectName(QString::number(ID_POPUP_PASTE));
    connect(cut, &QAction::triggered, this, [this] { m_text->cut(); });
    connect(copy, &QAction::triggered, this, [this] { m_text->copy(); });
    connect(paste, &QAction::triggered, this, [this] {
        if (m_text->hasFocus()) m_text->paste();
    });
    m_textViewport = m_text->viewport();
    m_textViewport->installEventFilter(this);
}

void trackview::WatchKeys() {
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

// The radios as values: words per cut is the last radio checked (1 with
// none); a fragment is a suffix only with "Suffix" alone checked, and as
// long as the last size radio checked (the first size with none).
void trackview::WriteState() {
    if (m_showingState) return;
    int wordsPerCut = settings::kWordsPerCut.minimum;
    for (std::size_t i = 0; i < m_wordsPerCut.size(); ++i)
        if (m_wordsPerCut[i]->isChecked()) wordsPerCut = settings::kWordsPerCut.minimum + static_cast<int>(i);
    m_track.m_wordsPerCut = wordsPerCut;
    const bool suffix =
        m_fragmentType[TrackState::kSuffix]->isChecked() && !m_fragmentType[TrackState::kPrefix]->isChecked();
    m_track.m_fragmentType = suffix ? TrackState::kSuffix : TrackState::kPrefix;
    int fragmentSize = settings::kFragmentSize.minimum;
    for (std::size_t i = 0; i < m_fragmentSize.size(); ++i)
        if (m_fragmentSize[i]->isChecked()) fragmentSize = settings::kFragmentSize.minimum + static_cast<int>(i);
    m_track.m_fragmentSize = fragmentSize;
    m_track.m_collageStyle = m_style->currentIndex();
    m_track.m_useWhole = m_useWhole->isChecked();
}

void trackview::ShowState() {
    m_showingState = true;
    for (std::size_t i = 0; i < m_wordsPerCut.size(); ++i)
        m_wordsPerCut[i]->setChecked(settings::kWordsPerCut.minimum + static_cast<int>(i) == m_track.m_wordsPerCut);
    for (std::size_t i = 0; i < m_fragmentType.size(); ++i)
        m_fragmentType[i]->setChecked(static_cast<int>(i) == m_track.m_fragmentType);
    for (std::size_t i = 0; i < m_fragmentSize.size(); ++i)
        m_fragmentSize[i]->setChecked(settings::kFragmentSize.minimum + static_cast<int>(i) == m_track.m_fragmentSize);
    m_style->setCurrentIndex(m_track.m_collageStyle);
    m_useWhole->setChecked(m_track.m_useWhole);
    m_showingState = false;
    // An exclusive group cannot show "none checked": keep the state what the widgets show.
    WriteState();
}

void trackview::FillRandomWords() {
    wordbooks::FillTarget target = wordbooks::TrackTarget(m_track, m_db, m_commandUi);
    wordbooks::FillRandomWords(target);
}

void trackview::FillAuthorOrWordbook() {
    wordbooks::FillTarget target = wordbooks::TrackTarget(m_track, m_db, m_commandUi);
    wordbooks::FillAuthorOrWordbook(target, *AuthorsDialog());
}

void trackview::ShowWaitMessage() { m_waitBox.Show(); }

void trackview::HideWaitMessage() {
    if (m_text) m_text->ScrollToFirstLine();
    m_waitBox.Hide();
}

void trackview::ShowNormalOrRestore() {
    if (isMinimized()) {
        showNormal();
    } else if (!isVisible()) {
        showNormal();
    }
    raise();
    activateWindow();
}

bool trackview::eventFilter(QObject* watched, QEvent* event) {
    // Keys in a popup of this window (an open style list) are the popup's own.
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::KeyPress && widget != nullptr && widget->window() == this) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Tab neither moves the focus nor reaches the text.
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return true;
        if (key == Qt::Key_Escape) {
            hide();
            return true;
        }
    }
    // Compared as plain objects: during the text's own destruction it is no longer a QtRichEdit.
    if (watched == m_textViewport && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            // Only a text that already had the focus offers the menu.
            const bool focusJustTaken = m_text->TakeFocusFromRightClick();
            if (m_text->hasFocus() && !focusJustTaken) m_contextMenu->popup(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void trackview::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    // Enter has no action in this window.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
    QWidget::keyPressEvent(event);
}

void trackview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(rect(), BitmapPicture(IDB_TRACKBACKGROUND));
}
