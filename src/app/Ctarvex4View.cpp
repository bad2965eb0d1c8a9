// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Ctarvex4View.h"

#include "app/BitmapSlider.h"
#include "app/BoardDoor.h"
#include "app/LastMixBox.h"
#include "app/MainFormIds.h"
#include "app/MainFrameIds.h"
#include "composer/CollageRun.h"
#include "composer/CutUpText.h"
#include "composer/OutputSettings.h"
#include "db/SqlDatabase.h"
#include "resources/FormLook.h"
#include "resources/Pictures.h"
#include "resources/ResourceIds.h"
#include "session/SessionCommands.h"
#include "tracks/TrackSwitchboard.h"
#include "ui/BookExportDialog.h"
#include "ui/CBitmapButton.h"
#include "ui/CollageBoard.h"
#include "ui/CollageExportCommand.h"
#include "ui/DialogLayout.h"
#include "ui/EditMenuIds.h"
#include "ui/ElidedLineEdit.h"
#include "ui/QtPrintTarget.h"
#include "ui/QtRichEdit.h"
#include "ui/StatusNote.h"
#include "ui/TrackWindows.h"
#include "ui/authors.h"
#include "ui/filetype.h"
#include "ui/imageCategories.h"
#include "ui/imageimport.h"
#include "ui/trackview.h"
#include "wordbooks/FillCommands.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QMainWindow>
#include <QRadioButton>
#include <QSettings>
#include <QTimer>

#include <algorithm>

namespace {

using dialoglayout::Point;
using dialoglayout::Rect;
using dialoglayout::X;
using dialoglayout::Y;

constexpr int kTrackGroupIds[4] = {IDC_TRACK1_GROUP, IDC_TRACK2_GROUP, IDC_TRACK3_GROUP, IDC_TRACK4_GROUP};
constexpr int kFaderIds[4] = {IDC_TRACK1_FADER, IDC_TRACK2_FADER, IDC_TRACK3_FADER, IDC_TRACK4_FADER};
constexpr int kShowTrackIds[4] = {IDC_TRACK1_SHOW, IDC_TRACK2_SHOW, IDC_TRACK3_SHOW, IDC_TRACK4_SHOW};
constexpr int kOnOffIds[4] = {IDC_TRACK1_ONOFF, IDC_TRACK2_ONOFF, IDC_TRACK3_ONOFF, IDC_TRACK4_ONOFF};
constexpr int kWordsPerSnipIds[7] = {IDC_SNIP1, IDC_SNIP2, IDC_SNIP3, IDC_SNIP4, IDC_SNIP5, IDC_SNIP6, IDC_SNIP7};

template <class W>
W* Placed(W* widget, const QPoint& at) {
    widget->adjustSize();
    widget->move(at);
    return widget;
}

}  // namespace

Ctarvex4View::Ctarvex4View(MainFormState& state, UserInterface& ui, QWidget* parent)
        : QWidget(parent), m_state(state), m_ui(ui) {
    setObjectName(QString::number(IDD_TARVEX4_FORM));
    // The form's own area; the background fills whatever the frame gives it.
    setMinimumSize(X(512), Y(331));
    ApplyFormFont(*this);
    m_look = MakeLookLayer(*this);

    // Group boxes first, so that the controls drawn over them stay on top.
    BuildTrackColumn();
    BuildImageSettings();
    BuildMainSettings();
    BuildToolRow();
    BuildBottomRow();

    m_text = new QtRichEdit(this);
    m_text->setGeometry(Rect(7, 36, 369, 129));
    Register(IDC_MAINTEXT, m_text);
    m_text->viewport()->installEventFilter(this);
    m_text->SetReservedKeys({QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace"), QKeySequence("Ctrl+X"),
                             QKeySequence("Shift+Del"), QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins"),
                             QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins"), QKeySequence("Ctrl+N"),
                             QKeySequence("Ctrl+O"), QKeySequence("Ctrl+S")});
    // The widget shows the form's own text, which the commands read and change.
    m_text->ShowText(*m_state.m_mainText);

    auto* title = new QLabel(this);
    title->setObjectName(QString::number(IDB_TITLE));
    title->setPixmap(BitmapPicture(IDB_TITLE));
    title->setGeometry(Rect(369, 7, 126, 20));

    m_contextMenu = new QMenu(this);
    m_contextMenu->setObjectName(QString::number(IDR_EDIT_POPUP));
    const std::pair<int, const char*> items[] = {
        {ID_POPUP_CUT, "Cut"}, {ID_POPUP_COPY, "Copy"}, {ID_POPUP_PASTE, "Paste"}};
    for (const auto& [id, text] : items) {
        QAction* action = m_contextMenu->addAction(text);
        action->setObjectName(QString::number(id));
        connect(action, &QAction::triggered, this, [this, id = id] { OnCommand(id); });
    }

    m_trackWindows = std::make_unique<TrackWindows>(m_state, m_ui);
    m_trackWindows->SetOnOffHandler([this](int n, bool pushed) {
        if (n >= 1 && n <= 4) static_cast<CBitmapButton*>(Control(kOnOffIds[n - 1]))->SetPushed(pushed);
    });

    // Routing of controls and commands.
    for (int n = 1; n <= 4; ++n) {
        Route(kShowTrackIds[n - 1], [this, n] { ShowTrack(m_state, *m_trackWindows, n); });
        if (n > 1) Route(kOnOffIds[n - 1], [this, n] { TrackOnOff(m_state, *m_trackWindows, n); });
    }
    for (int id : {IDC_UNDO, ID_EDIT_UNDO}) Route(id, [this] { UndoMainText(m_state); });
    Route(IDC_FONT, [this] { ChooseMainFont(m_state, m_ui, *this); });
    Route(IDC_PRINT, [this] { Print(); });
    for (int id : {IDC_OPEN, ID_FILE_OPEN}) Route(id, [this] { OpenTextFile(m_state, m_ui); });
    for (int id : {IDC_SAVE, ID_FILE_SAVE}) Route(id, [this] { SaveMainText(m_state, m_ui, *this); });
    for (int id : {IDC_CUT, ID_EDIT_CUT, ID_POPUP_CUT}) Route(id, [this] { CutMainText(m_state, *this); });
    for (int id : {IDC_COPY, ID_EDIT_COPY, ID_POPUP_COPY}) Route(id, [this] { CopyMainText(*this); });
    for (int id : {IDC_PASTE, ID_EDIT_PASTE, ID_POPUP_PASTE}) Route(id, [this] { PasteMainText(m_state, *this); });
    Route(ID_FILE_NEW, [this] { NewMainText(m_state, *this); });
    Route(ID_HELP_USER_GUIDE, [this] { OpenUserGuide(m_state, m_ui); });
    Route(IDC_GO, [this] { Go(); });
    Route(IDC_PALETTE, [this] { ChoosePaletteColour(m_state, m_ui); });
    Route(IDC_OUTPUTBUTTON, [this] { ChooseOutputFile(m_state, m_ui); });
    Route(IDC_FOLDERBUTTON, [this] { ChooseCustomImageFolder(m_state, m_ui); });
    Route(IDC_FILL, [this] {
        SqlDatabase db;
        wordbooks::FillTarget target = wordbooks::MainFormTarget(m_state, db, m_ui);
        wordbooks::FillRandomWords(target);
    });
    Route(IDC_AUTHORS, [this] {
        SqlDatabase db;
        wordbooks::FillTarget target = wordbooks::MainFormTarget(m_state, db, m_ui);
        wordbooks::FillAuthorOrWordbook(target, *AuthorsDialog());
    });
    Route(ID_FILE_IMPORT_IMAGES, [this] { ImageImportDialog().DoModal(); });
    Route(IDC_SOURCES, [this] { ImageSourcesDialog().DoModal(); });
    Route(ID_FILE_SAVE_SESSION, [this] { SaveSession(); });
    Route(ID_FILE_OPEN_SESSION, [this] { OpenSession(); });
    Route(ID_FILE_EXPORT_COLLAGE, [this] {
        // What the board shows, when it is up; else the last GO's page.
        if (m_board->BoardMade() && m_board->Board().isVisible() && !m_board->Board().PagePath().empty())
            m_board->Board().ExportCollage();
        else
            ExportCollageCommand(this, m_ui, m_lastPage);
    });
    Route(ID_FILE_EXPORT_BOOK, [this] { ExportBookCommand(this, m_ui, m_state.m_outputFolder); });
    m_board = std::make_unique<BoardDoor>(m_ui, this, &m_state);
    m_board->SetOutputFolder([this] { return m_state.m_outputFolder; });
    Route(ID_FILE_OPEN_BOARD, [this] { m_board->OpenBoard(); });
    Route(ID_VIEW_BOARD, [this] { m_board->ShowBoard(m_state.m_outputFolder + m_state.m_outputFileName); });
    Route(ID_VIEW_GO_ON_BOARD, [this] {
        SetGoOnBoard(!m_board->GoOnBoard());
        WindowSettings().setValue("board/showGoOnBoard", m_board->GoOnBoard());
    });
    Route(ID_VIEW_MARK_SOURCES, [this] { m_state.m_markSources = !m_state.m_markSources; });
    Route(ID_EDIT_COPY_CUTUP_TEXT, [this] {
        // The clipboard keeps what it holds until there is a cut-up to put there.
        if (const collage::Collage* shown = ShownCutUp("Copy Cut-up as Text"))
            QGuiApplication::clipboard()->setText(QString::fromStdString(collage::CutUpText(*shown, false)));
    });
    Route(ID_VIEW_LAST_MIX, [this] {
        const collage::Collage* shown = ShownCutUp("Last Mix");
        if (shown == nullptr) return;
        if (!m_lastMix) m_lastMix = new LastMixBox(this);
        m_lastMix->ShowMix(*shown);
        m_lastMix->show();
        m_lastMix->raise();
    });

    BindState();
}

Ctarvex4View::~Ctarvex4View() { m_trackWindows.reset(); }

authors* Ctarvex4View::AuthorsDialog() {
    if (m_authorsDialog == nullptr) m_authorsDialog = new authors(m_ui, this);
    return m_authorsDialog;
}

imageimport& Ctarvex4View::ImageImportDialog() {
    if (m_imageImportDialog == nullptr) m_imageImportDialog = new imageimport(m_state.DatabasePath(), m_ui, this);
    return *m_imageImportDialog;
}

imageCategories& Ctarvex4View::ImageSourcesDialog() {
    if (m_imageSourcesDialog == nullptr) {
        m_imageSourcesDialog = new imageCategories(m_state.DatabasePath(), m_ui, this);
    }
    return *m_imageSourcesDialog;
}

void Ctarvex4View::Register(int id, QWidget* widget) {
    widget->setObjectName(QString::number(id));
    m_controls[id] = widget;
}

QWidget* Ctarvex4View::Control(int id) const {
    auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

void Ctarvex4View::Route(int id, std::function<void()> handler) { m_routes[id] = std::move(handler); }

bool Ctarvex4View::OnCommand(int id) {
    auto it = m_routes.find(id);
    if (it == m_routes.end()) return false;
    QWidget* control = Control(id);
    if (control && !control->isEnabled()) return false;
    it->second();
    ShowState();
    return true;
}

CBitmapButton* Ctarvex4View::AddButton(int id, const QString& caption, int left, int top) {
    auto* button = new CBitmapButton(this);
    button->AutoLoad(caption);
    button->move(Point(left, top));
    Register(id, button);
    connect(button, &QAbstractButton::clicked, this, [this, id] { OnCommand(id); });
    return button;
}

BitmapSlider* Ctarvex4View::AddSlider(int id, const QRect& unitsRect) {
    auto* slider = new BitmapSlider(this);
    slider->setGeometry(unitsRect);
    Register(id, slider);
    return slider;
}

QWidget* Ctarvex4View::AddLabel(const QString& text, int left, int top, int id) {
    auto* label = Placed(new QLabel(text, this), Point(left, top));
    if (id >= 0) Register(id, label);
    return label;
}

void Ctarvex4View::BuildToolRow() {
    const std::pair<int, const char*> row[] = {
        {IDC_FONT, "font"},         {IDC_PRINT, "print"},      {IDC_OPEN, "open"},      {IDC_SAVE, "file"},
        {IDC_UNDO, "undo"},         {IDC_PALETTE, "pallette"}, {IDC_CUT, "cutbutton"},  {IDC_COPY, "copybutton"},
        {IDC_PASTE, "pastebutton"}, {IDC_FILL, "fill"},        {IDC_AUTHORS, "authors"}};
    int left = 20;
    for (const auto& [id, caption] : row) {
        AddButton(id, caption, left, 15);
        left += 16;
    }
}

void Ctarvex4View::BuildTrackColumn() {
    AddLabel("Additional Text Inputs:", 407, 38);
    const int boxTop[4] = {57, 119, 182, 242};
    const int boxHeight[4] = {59, 60, 59, 69};
    const QRect fader[4] = {Rect(402, 78, 98, 11), Rect(401, 142, 99, 11), Rect(398, 202, 102, 12),
                            Rect(398, 267, 102, 12)};
    const int buttonTop[4] = {94, 155, 217, 286};
    for (int i = 0; i < 4; ++i) {
        auto* box = new QGroupBox(QString("Track %1").arg(i + 1), m_look);
        box->setGeometry(Rect(390, boxTop[i], 115, boxHeight[i]));
        Register(kTrackGroupIds[i], box);
    }
    for (int i = 0; i < 4; ++i) {
        m_trackFader[i] = AddSlider(kFaderIds[i], fader[i]);
        auto* min = Placed(new QLabel("Min", this), QPoint(fader[i].left(), fader[i].top() - 14));
        auto* max = new QLabel("Max", this);
        max->adjustSize();
        max->move(fader[i].right() - max->width() - 4, min->y());
        AddButton(kShowTrackIds[i], "showtrack", 395, buttonTop[i]);
        AddButton(kOnOffIds[i], "onoffb", 429, buttonTop[i]);
    }
}

void Ctarvex4View::BuildImageSettings() {
    auto* group = new QGroupBox("Image Input Settings", m_look);
    group->setGeometry(Rect(15, 191, 362, 31));
    auto* folder = Placed(new QCheckBox("Folder:", this), Point(17, 205));
    Register(IDC_USEFOLDER, folder);
    m_folderEdit = new QLineEdit(this);
    m_folderEdit->setReadOnly(true);
    m_folderEdit->setGeometry(Rect(59, 203, 191, 12));
    Register(IDC_FOLDEREDIT, m_folderEdit);
    AddButton(IDC_FOLDERBUTTON, "open", 255, 202);
    AddLabel("Database:", 276, 205, IDC_DATABASELABEL);
    AddButton(IDC_SOURCES, "sources", 315, 201);
}

void Ctarvex4View::BuildMainSettings() {
    auto* group = new QGroupBox("Main Settings", m_look);
    group->setGeometry(Rect(15, 222, 361, 56));
    Register(IDC_SHOWMAIN, Placed(new QCheckBox("Show Main, Style:", this), Point(20, 240)));
    m_style = new WidePopupComboBox(m_look);
    for (const char* style : kCollageStyles) m_style->addItem(style);
    m_style->setGeometry(QRect(Point(20, 257), QSize(X(70), Y(13))));
    m_style->setMaxVisibleItems(6);
    Register(IDC_MAINSTYLE, m_style);
    Register(IDC_TEXTOVERIMAGES, Placed(new QCheckBox("Text Over Images", this), Point(106, 261)));
    AddLabel("Number of words per snip:", 210, 230, IDC_SNIPLABEL);
    m_wordsGroup = new QButtonGroup(this);
    const int lefts[7] = {177, 201, 225, 249, 269, 291, 313};
    for (int i = 0; i < 7; ++i) {
        auto* radio = new QRadioButton(QString::number(i + 1), m_look);
        radio->setGeometry(Rect(lefts[i], 240, 20, 10));
        m_wordsPerSnipRadio[i] = radio;
        m_wordsGroup->addButton(radio, i);
        Register(kWordsPerSnipIds[i], radio);
    }
    Register(IDC_CAPTURECODE, Placed(new QCheckBox("F.F. Capture Code", this), Point(188, 259)));
    m_orientationGroup = new QButtonGroup(this);
    auto* portrait = Placed(new QRadioButton("Portrait", m_look), Point(277, 259));
    auto* landscape = Placed(new QRadioButton("Landscape", m_look), Point(320, 259));
    // Its natural width would reach under "Landscape"; its text ends well before.
    portrait->resize(std::min(portrait->width(), landscape->x() - portrait->x()), portrait->height());
    m_orientationGroup->addButton(portrait);
    m_orientationGroup->addButton(landscape);
    Register(IDC_PORTRAIT, portrait);
    Register(IDC_LANDSCAPE, landscape);
}

void Ctarvex4View::BuildBottomRow() {
    AddLabel(" Output file:", 18, 284);
    AddLabel("Choose new:", 115, 284);
    AddButton(IDC_OUTPUTBUTTON, "open", 169, 282);
    m_outputEdit = new ElidedLineEdit(this);
    m_outputEdit->setReadOnly(true);
    m_outputEdit->setGeometry(Rect(21, 302, 165, 12));
    Register(IDC_OUTPUTEDIT, m_outputEdit);
    AddLabel("Volume:    Min", 195, 284);
    AddLabel("Max", 304, 284);
    AddLabel("Text:", 197, 297);
    m_textVolume = AddSlider(IDC_TEXTVOLUME, Rect(220, 295, 103, 12));
    AddLabel("Image:", 193, 308);
    m_imageVolume = AddSlider(IDC_IMAGEVOLUME, Rect(220, 309, 104, 13));
    auto* go = AddButton(IDC_GO, "lyric", 335, 284);
    go->installEventFilter(this);
    auto* goLabel = AddLabel("GO!", 343, 308);
    QFont bold = goLabel->font();
    bold.setBold(true);
    goLabel->setFont(bold);
    goLabel->adjustSize();
}

// Every widget writes the state it shows; the composer reads the state.
void Ctarvex4View::BindState() {
    for (int i = 0; i < 4; ++i)
        connect(m_trackFader[i], &QSlider::valueChanged, this, [this, i](int v) { m_state.m_trackFader[i] = v; });
    connect(m_textVolume, &QSlider::valueChanged, this, [this](int v) { m_state.m_textVolume = v; });
    connect(m_imageVolume, &QSlider::valueChanged, this, [this](int v) { m_state.m_imageVolume = v; });
    for (QRadioButton* radio : m_wordsPerSnipRadio)
        connect(radio, &QRadioButton::toggled, this, [this] { m_state.m_wordsPerSnip = WordsPerSnipShown(); });
    const std::pair<int, bool MainFormState::*> checks[] = {{IDC_USEFOLDER, &MainFormState::m_useCustomFolder},
                                                            {IDC_SHOWMAIN, &MainFormState::m_showMain},
                                                            {IDC_TEXTOVERIMAGES, &MainFormState::m_textOverImages},
                                                            {IDC_CAPTURECODE, &MainFormState::m_captureCode},
                                                            {IDC_PORTRAIT, &MainFormState::m_portrait},
                                                            {IDC_LANDSCAPE, &MainFormState::m_landscape}};
    for (const auto& [id, member] : checks)
        connect(static_cast<QAbstractButton*>(Control(id)), &QAbstractButton::toggled, this,
                [this, member = member](bool on) { m_state.*member = on; });
    connect(m_style, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) m_state.m_mainStyle = index;
    });
}

void Ctarvex4View::ShowState() {
    auto setSlider = [](BitmapSlider* s, const Setting& setting, int value) {
        QSignalBlocker block(s);
        s->setRange(setting.minimum, setting.maximum);
        s->setPageStep(std::max(1, (setting.maximum - setting.minimum) / 5));
        s->setValue(value);
    };
    for (int i = 0; i < 4; ++i) setSlider(m_trackFader[i], settings::kFader, m_state.m_trackFader[i]);
    setSlider(m_textVolume, settings::kTextVolume, m_state.m_textVolume);
    setSlider(m_imageVolume, settings::kImageVolume, m_state.m_imageVolume);
    {
        // Radios of a group may all be off (Portrait and Landscape start so).
        QSignalBlocker block(this);
        for (QButtonGroup* group : {m_wordsGroup, m_orientationGroup}) group->setExclusive(false);
        for (std::size_t i = 0; i < m_wordsPerSnipRadio.size(); ++i) {
            QSignalBlocker b(m_wordsPerSnipRadio[i]);
            m_wordsPerSnipRadio[i]->setChecked(static_cast<int>(i) + 1 == m_state.m_wordsPerSnip);
        }
        const std::pair<int, bool> checks[] = {{IDC_USEFOLDER, m_state.m_useCustomFolder},
                                               {IDC_SHOWMAIN, m_state.m_showMain},
                                               {IDC_TEXTOVERIMAGES, m_state.m_textOverImages},
                                               {IDC_CAPTURECODE, m_state.m_captureCode},
                                               {IDC_PORTRAIT, m_state.m_portrait},
                                               {IDC_LANDSCAPE, m_state.m_landscape}};
        for (const auto& [id, on] : checks) {
            auto* button = static_cast<QAbstractButton*>(Control(id));
            QSignalBlocker b(button);
            button->setChecked(on);
        }
        for (QButtonGroup* group : {m_wordsGroup, m_orientationGroup}) group->setExclusive(true);
    }
    {
        QSignalBlocker block(m_style);
        m_style->setCurrentIndex(m_state.m_mainStyle);
    }
    m_outputEdit->SetPath(QString::fromStdString(m_state.m_outputFileText));
    m_folderEdit->setText(QString::fromStdString(m_state.m_customFolderText));
}

int Ctarvex4View::WordsPerSnipShown() const {
    // Radio "1" is never looked at: with none of the others checked it is 1.
    for (std::size_t i = 1; i < m_wordsPerSnipRadio.size(); ++i) {
        if (m_wordsPerSnipRadio[i]->isChecked()) return static_cast<int>(i) + 1;
    }
    return 1;
}

void Ctarvex4View::SetToolTips() {
    const std::pair<int, const char*> tips[] = {
        {IDC_FONT, "Change Font Size or Style"},
        {IDC_OPEN, "Open a text file to fill track with"},
        {IDC_UNDO, "Undo last process or edit"},
        {IDC_CUT, "Cut selected range of text"},
        {IDC_COPY, "Copy selected range of text"},
        {IDC_PASTE, "Paste text from Windows clipboard"},
        {IDC_PRINT, "Print text contents to default printer"},
        {IDC_SAVE, "Save output view text to a file"},
        {IDC_FILL, "Pour a random sample of words into the track"},
        {IDC_AUTHORS, "Get a random mix of words from a classic author's writings"},
    };
    for (const auto& [id, text] : tips) Control(id)->setToolTip(text);
    for (int i = 0; i < 4; ++i) {
        Control(kFaderIds[i])->setToolTip("Increase or decrease the probability that a word will be picked from track");
        Control(kShowTrackIds[i])->setToolTip("Open track window to view / edit track text");
        Control(kOnOffIds[i])->setToolTip("Green indicates ON. Click to stop mixing from this track.");
    }
}

void Ctarvex4View::OnInitialUpdate() {
    if (m_initialised) return;
    m_initialised = true;
    SetBackgroundBitmap(BitmapPicture(IDB_FORMBACKGROUND), kStretch);
    StartMainForm(m_state, m_ui);
    m_text->SetTabStopsTwips({400, 2500, 3000, 4000});
    for (BitmapSlider* slider :
         {m_trackFader[0], m_trackFader[1], m_trackFader[2], m_trackFader[3], m_textVolume, m_imageVolume})
        slider->SetSkin(IDB_SLIDERTRACK, IDB_SLIDERTHUMB, IDC_HANDCURSOR);
    ShowState();
    ShowTitle();
    SetToolTips();
    SetGoOnBoard(WindowSettings().value("board/showGoOnBoard", false).toBool());
    if (m_firstTrackAfterPaint)
        m_firstTrackPending = true;
    else
        ShowTrack(m_state, *m_trackWindows, 1);
    m_text->setFocus(Qt::OtherFocusReason);
}

void Ctarvex4View::SetBackgroundBitmap(const QPixmap& picture, int mode) {
    m_backgroundBitmap = picture;
    if (mode >= kTile && mode <= kStretch) m_backgroundMode = mode;
    update();
}

void Ctarvex4View::paintEvent(QPaintEvent*) {
    if (m_firstTrackPending) {
        m_firstTrackPending = false;
        QTimer::singleShot(0, this, [this] { ShowTrack(m_state, *m_trackWindows, 1); });
    }
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (m_backgroundBitmap.isNull()) return;
    const QSize bitmap = m_backgroundBitmap.size();
    switch (m_backgroundMode) {
        case kTile:
            for (int y = 0; y < height(); y += bitmap.height())
                for (int x = 0; x < width(); x += bitmap.width()) p.drawPixmap(x, y, m_backgroundBitmap);
            break;
        case kCentre: {
            const int x = bitmap.width() < width() ? (width() - bitmap.width()) / 2 : 0;
            const int y = bitmap.height() < height() ? (height() - bitmap.height()) / 2 : 0;
            p.drawPixmap(x, y, m_backgroundBitmap);
            break;
        }
        default: p.drawPixmap(rect(), m_backgroundBitmap); break;
    }
}

bool Ctarvex4View::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        // The wait box is up before the GO command runs.
        if (watched == Control(IDC_GO) && mouse->button() == Qt::LeftButton && Control(IDC_GO)->isEnabled())
            ShowWaitMessage();
        if (watched == m_text->viewport() && mouse->button() == Qt::RightButton) {
            // Only a text area that already had the focus offers the menu.
            if (m_text->hasFocus() && !m_text->TakeFocusFromRightClick())
                ShowContextMenu(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Ctarvex4View::ShowContextMenu(const QPoint& globalPos) { m_contextMenu->popup(globalPos); }

void Ctarvex4View::ShowWaitMessage() { m_waitBox.Show(); }

void Ctarvex4View::HideWaitMessage() {
    m_text->ScrollToFirstLine();
    if (m_waitBox.Hide()) update();
}

void Ctarvex4View::Go() {
    if (!m_board->ReadyForGo()) return;
    CollageResult result = BuildCollage(m_state, m_board->GoInterface());
    // A session saves the seed of the last GO, also of one that failed.
    m_state.m_lastSeed = result.seed;
    m_lastPage = result.written ? result.pagePath : std::string();
    m_lastCollage = result.written ? std::move(result.collage) : collage::Collage{};
    if (m_lastMix && m_lastMix->isVisible()) m_lastMix->ShowMix(m_lastCollage);
    // Said whether or not a browser came up: the page may be in a folder the user never chose.
    if (auto* frame = qobject_cast<QMainWindow*>(window()); frame && result.written)
        ShowWrittenFile(*frame, "Page written:", result.pagePath);
}

const collage::Collage* Ctarvex4View::ShownCutUp(const std::string& caption) {
    // The page the board shows (a session's, or one opened there) is the one the user means.
    if (m_board->BoardMade() && m_board->Board().isVisible() && !m_board->Board().PagePath().empty())
        return &m_board->Board().Collage();
    if (!m_lastPage.empty()) return &m_lastCollage;
    m_ui.ShowMessage("There is no cut-up yet: press GO first.", caption);
    return nullptr;
}

QSettings Ctarvex4View::WindowSettings() const {
    // Beside the user's other data, so each data folder (and each test's) keeps its own.
    return QSettings(QString::fromStdString(m_state.m_dataFolder + "/window.ini"), QSettings::IniFormat);
}

void Ctarvex4View::SetGoOnBoard(bool on) {
    m_board->SetGoOnBoard(on);
    m_state.m_goOnBoard = on;
    if (QAction* check = window()->findChild<QAction*>(QString::number(ID_VIEW_GO_ON_BOARD))) check->setChecked(on);
}

void Ctarvex4View::ShowTitle() {
    const QString title = "VANTELO  Version 1.2";
    emit TitleChanged(m_sessionName.empty() ? title : title + " - " + QString::fromStdString(m_sessionName));
}

void Ctarvex4View::SaveSession() {
    std::array<bool, 4> windowsOpen{};
    for (int n = 1; n <= 4; ++n) {
        trackview* window = m_trackWindows->Window(n);
        windowsOpen[static_cast<size_t>(n - 1)] = window != nullptr && window->isVisible();
    }
    m_board->CaptureArrangement(m_state);
    m_state.m_goOnBoard = m_board->GoOnBoard();
    if (std::optional<std::string> name = SaveSessionCommand(m_state, m_ui, windowsOpen, m_sessionName)) {
        m_sessionName = *name;
        ShowTitle();
    }
}

void Ctarvex4View::OpenSession() {
    // A session is a file from anywhere: nothing it holds may reach the event loop.
    try {
        std::optional<std::string> name = OpenSessionCommand(m_state, m_ui, *m_trackWindows);
        if (!name) return;
        for (int n = 1; n <= 4; ++n) {
            if (trackview* window = m_trackWindows->Window(n)) window->ShowState();
        }
        m_sessionName = *name;
        ShowTitle();
        SetGoOnBoard(m_state.m_goOnBoard);
        m_board->RestoreArrangement(m_state);
    } catch (const std::exception& e) {
        m_ui.ShowMessage(std::string("The session could not be opened: ") + e.what(), kOpenSessionCaption);
    }
}

void Ctarvex4View::Print() {
    std::unique_ptr<PrintTarget> target =
        m_printTargetFactory ? m_printTargetFactory() : std::make_unique<QtPrintTarget>(*m_text);
    PrintMainText(m_state, m_ui, *target);
}

void Ctarvex4View::Cut() { m_text->cut(); }
void Ctarvex4View::Copy() { m_text->copy(); }
void Ctarvex4View::Paste() { m_text->paste(); }
bool Ctarvex4View::HasFocus() const { return m_text->hasFocus(); }
void Ctarvex4View::SetFocus() { m_text->setFocus(Qt::OtherFocusReason); }

std::optional<MainTextWindow::SaveFormat> Ctarvex4View::AskFileType() {
    if (m_fileTypeAsker) return m_fileTypeAsker();
    filetype dialog(this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.IsRichText() ? SaveFormat::kRichText : SaveFormat::kPlainText;
}
