#include "app/Ctarvex4View.h"

#include "app/BitmapSlider.h"
#include "app/DialogUnits.h"
#include "app/SessionIds.h"
#include "composer/CollageRun.h"
#include "composer/OutputSettings.h"
#include "resources/FormLook.h"
#include "resources/Pictures.h"
#include "tracks/SessionCommands.h"
#include "tracks/TrackSwitchboard.h"
#include "ui/CBitmapButton.h"
#include "ui/QtPrintTarget.h"
#include "ui/QtRichEdit.h"
#include "ui/RichEditReference.h"
#include "ui/TrackWindows.h"
#include "ui/authors.h"
#include "ui/filetype.h"
#include "ui/imageCategories.h"
#include "ui/imageimport.h"
#include "ui/trackview.h"
#include "ui/waitmessage.h"
#include "wordbooks/FillCommands.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int kFaderIds[4] = {1008, 1024, 1028, 1032};
constexpr int kShowTrackIds[4] = {1009, 1025, 1029, 1033};
constexpr int kOnOffIds[4] = {1010, 1026, 1030, 1034};
constexpr int kWordsPerSnipIds[7] = {1031, 1035, 1036, 1037, 1043, 1056, 1057};

template <class W>
W* Placed(W* widget, const QPoint& at) {
    widget->adjustSize();
    widget->move(at);
    return widget;
}

}  // namespace

Ctarvex4View::Ctarvex4View(MainFormState& state, UserInterface& ui, QWidget* parent)
    : QWidget(parent), m_state(state), m_ui(ui) {
    setObjectName("101");
    // The form's own area; the background fills whatever the frame gives it.
    setMinimumSize(DluX(512), DluY(331));
    ApplyFormLook(*this);

    // Group boxes first, so that the controls drawn over them stay on top.
    BuildTrackColumn();
    BuildImageSettings();
    BuildMainSettings();
    BuildToolRow();
    BuildBottomRow();

    m_text = new QtRichEdit(this);
    m_text->setGeometry(DluRect(7, 36, 369, 129));
    Register(1004, m_text);
    m_text->viewport()->installEventFilter(this);
    m_text->SetReservedKeys({QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace"), QKeySequence("Ctrl+X"),
                             QKeySequence("Shift+Del"), QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins"),
                             QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins"), QKeySequence("Ctrl+N"),
                             QKeySequence("Ctrl+O"), QKeySequence("Ctrl+S")});
    // The commands read the main text through the state.
    m_replacedMainText = std::move(m_state.m_mainText);
    m_state.m_mainText = std::make_unique<RichEditReference>(*m_text);

    auto* title = new QLabel(this);
    title->setObjectName("308");
    title->setPixmap(BitmapPicture(308));
    title->setGeometry(DluRect(369, 7, 126, 20));

    m_contextMenu = new QMenu(this);
    m_contextMenu->setObjectName("213");
    const std::pair<int, const char*> items[] = {{32776, "Cut"}, {32777, "Copy"}, {32778, "Paste"}};
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
    Route(1013, [this] { UndoMainText(m_state); });
    Route(57643, [this] { UndoMainText(m_state); });
    Route(1038, [this] { ChooseMainFont(m_state, m_ui, *this); });
    Route(1040, [this] { Print(); });
    for (int id : {1041, 57601}) Route(id, [this] { OpenTextFile(m_state, m_ui); });
    for (int id : {1042, 57603}) Route(id, [this] { SaveMainText(m_state, m_ui, *this); });
    for (int id : {1014, 57635, 32776}) Route(id, [this] { CutMainText(m_state, *this); });
    for (int id : {1015, 57634, 32777}) Route(id, [this] { CopyMainText(*this); });
    for (int id : {1021, 57637, 32778}) Route(id, [this] { PasteMainText(m_state, *this); });
    Route(57600, [this] { NewMainText(m_state, *this); });
    Route(32772, [this] { OpenUserGuide(m_state, m_ui); });
    Route(1084, [this] { Go(); });
    Route(1039, [this] { ChoosePaletteColour(m_state, m_ui); });
    Route(1087, [this] { ChooseOutputFile(m_state, m_ui); });
    Route(1093, [this] { ChooseCustomImageFolder(m_state, m_ui); });
    m_authorsDialog = new authors(m_ui, this);
    Route(1022, [this] {
        wordbooks::FillTarget target = wordbooks::MainFormTarget(m_state, m_ui);
        wordbooks::FillRandomWords(target);
    });
    Route(1023, [this] {
        wordbooks::FillTarget target = wordbooks::MainFormTarget(m_state, m_ui);
        wordbooks::FillAuthorOrWordbook(target, *m_authorsDialog);
    });
    Route(32782, [this] { ImageImportDialog().DoModal(); });
    Route(1095, [this] { ImageSourcesDialog().DoModal(); });
    Route(kSaveSessionCommand, [this] { SaveSession(); });
    Route(kOpenSessionCommand, [this] { OpenSession(); });

    BindState();
}

Ctarvex4View::~Ctarvex4View() {
    m_trackWindows.reset();
    // Give the state back its own text area before the widget goes.
    if (m_replacedMainText) m_state.m_mainText = std::move(m_replacedMainText);
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
    button->move(DluPoint(left, top));
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
    auto* label = Placed(new QLabel(text, this), DluPoint(left, top));
    if (id >= 0) Register(id, label);
    return label;
}

void Ctarvex4View::BuildToolRow() {
    const std::pair<int, const char*> row[] = {{1038, "font"},      {1040, "print"},      {1041, "open"},
                                               {1042, "file"},      {1013, "undo"},       {1039, "pallette"},
                                               {1014, "cutbutton"}, {1015, "copybutton"}, {1021, "pastebutton"},
                                               {1022, "fill"},      {1023, "authors"}};
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
    const QRect fader[4] = {DluRect(402, 78, 98, 11), DluRect(401, 142, 99, 11), DluRect(398, 202, 102, 12),
                            DluRect(398, 267, 102, 12)};
    const int buttonTop[4] = {94, 155, 217, 286};
    for (int i = 0; i < 4; ++i) {
        auto* box = new QGroupBox(QString("Track %1").arg(i + 1), this);
        box->setGeometry(DluRect(390, boxTop[i], 115, boxHeight[i]));
        Register(1052 + i, box);
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
    auto* group = new QGroupBox("Image Input Settings", this);
    group->setGeometry(DluRect(15, 191, 362, 31));
    auto* folder = Placed(new QCheckBox("Folder:", this), DluPoint(17, 205));
    Register(1104, folder);
    m_folderEdit = new QLineEdit(this);
    m_folderEdit->setReadOnly(true);
    m_folderEdit->setGeometry(DluRect(59, 203, 191, 12));
    Register(1088, m_folderEdit);
    AddButton(1093, "open", 255, 202);
    AddLabel("Database:", 276, 205, 1063);
    AddButton(1095, "sources", 315, 201);
}

void Ctarvex4View::BuildMainSettings() {
    auto* group = new QGroupBox("Main Settings", this);
    group->setGeometry(DluRect(15, 222, 361, 56));
    Register(1089, Placed(new QCheckBox("Show Main, Style:", this), DluPoint(20, 240)));
    m_style = new QComboBox(this);
    for (const char* style : kCollageStyles) m_style->addItem(style);
    m_style->setGeometry(QRect(DluPoint(20, 257), QSize(DluX(70), DluY(13))));
    m_style->setMaxVisibleItems(6);
    WidenPopupToEntries(*m_style);
    Register(1090, m_style);
    Register(1100, Placed(new QCheckBox("Text Over Images", this), DluPoint(106, 261)));
    AddLabel("Number of words per snip:", 210, 230, 1061);
    m_wordsGroup = new QButtonGroup(this);
    const int lefts[7] = {177, 201, 225, 249, 269, 291, 313};
    for (int i = 0; i < 7; ++i) {
        auto* radio = new QRadioButton(QString::number(i + 1), this);
        radio->setGeometry(DluRect(lefts[i], 240, 20, 10));
        m_wordsPerSnipRadio[i] = radio;
        m_wordsGroup->addButton(radio, i);
        Register(kWordsPerSnipIds[i], radio);
    }
    Register(1101, Placed(new QCheckBox("F.F. Capture Code", this), DluPoint(188, 259)));
    m_orientationGroup = new QButtonGroup(this);
    auto* portrait = Placed(new QRadioButton("Portrait", this), DluPoint(277, 259));
    auto* landscape = Placed(new QRadioButton("Landscape", this), DluPoint(320, 259));
    // Its natural width would reach under "Landscape"; its text ends well before.
    portrait->resize(std::min(portrait->width(), landscape->x() - portrait->x()), portrait->height());
    m_orientationGroup->addButton(portrait);
    m_orientationGroup->addButton(landscape);
    Register(1102, portrait);
    Register(1103, landscape);
}

void Ctarvex4View::BuildBottomRow() {
    AddLabel(" Output file:", 18, 284);
    AddLabel("Choose new:", 115, 284);
    AddButton(1087, "open", 169, 282);
    m_outputEdit = new QLineEdit(this);
    m_outputEdit->setReadOnly(true);
    m_outputEdit->setGeometry(DluRect(21, 302, 165, 12));
    Register(1086, m_outputEdit);
    AddLabel("Volume:    Min", 195, 284);
    AddLabel("Max", 304, 284);
    AddLabel("Text:", 197, 297);
    m_textVolume = AddSlider(1091, DluRect(220, 295, 103, 12));
    AddLabel("Image:", 193, 308);
    m_imageVolume = AddSlider(1092, DluRect(220, 309, 104, 13));
    auto* go = AddButton(1084, "lyric", 335, 284);
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
    for (int i = 0; i < 7; ++i)
        connect(m_wordsPerSnipRadio[i], &QRadioButton::toggled, this,
                [this, i](bool on) { m_state.m_wordsPerSnipRadio[i] = on; });
    const std::pair<int, bool MainFormState::*> checks[] = {{1104, &MainFormState::m_useCustomFolder},
                                                            {1089, &MainFormState::m_showMain},
                                                            {1100, &MainFormState::m_textOverImages},
                                                            {1101, &MainFormState::m_captureCode},
                                                            {1102, &MainFormState::m_portrait},
                                                            {1103, &MainFormState::m_landscape}};
    for (const auto& [id, member] : checks)
        connect(static_cast<QAbstractButton*>(Control(id)), &QAbstractButton::toggled, this,
                [this, member = member](bool on) { m_state.*member = on; });
    connect(m_style, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) m_state.m_mainStyle = index;
    });
}

void Ctarvex4View::ShowState() {
    auto setSlider = [](BitmapSlider* s, int max, int value) {
        QSignalBlocker block(s);
        s->setRange(0, max);
        s->setPageStep(std::max(1, max / 5));
        s->setValue(value);
    };
    for (int i = 0; i < 4; ++i) setSlider(m_trackFader[i], MainFormState::kFaderMax, m_state.m_trackFader[i]);
    setSlider(m_textVolume, MainFormState::kTextVolumeMax, m_state.m_textVolume);
    setSlider(m_imageVolume, MainFormState::kImageVolumeMax, m_state.m_imageVolume);
    {
        // Radios of a group may all be off (Portrait and Landscape start so).
        QSignalBlocker block(this);
        for (QButtonGroup* group : {m_wordsGroup, m_orientationGroup}) group->setExclusive(false);
        for (int i = 0; i < 7; ++i) {
            QSignalBlocker b(m_wordsPerSnipRadio[i]);
            m_wordsPerSnipRadio[i]->setChecked(m_state.m_wordsPerSnipRadio[i]);
        }
        const std::pair<int, bool> checks[] = {{1104, m_state.m_useCustomFolder}, {1089, m_state.m_showMain},
                                               {1100, m_state.m_textOverImages},  {1101, m_state.m_captureCode},
                                               {1102, m_state.m_portrait},        {1103, m_state.m_landscape}};
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
    m_outputEdit->setText(QString::fromStdString(m_state.m_outputFileText));
    m_folderEdit->setText(QString::fromStdString(m_state.m_customFolderText));
}

void Ctarvex4View::SetToolTips() {
    const std::pair<int, const char*> tips[] = {
        {1038, "Change Font Size or Style"},
        {1041, "Open a text file to fill track with"},
        {1013, "Undo last process or edit"},
        {1014, "Cut selected range of text"},
        {1015, "Copy selected range of text"},
        {1021, "Paste text from Windows clipboard"},
        {1040, "Print text contents to default printer"},
        {1042, "Save output view text to a file"},
        {1022, "Pour a random sample of words into the track"},
        {1023, "Get a random mix of words from a classic author's writings"},
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
    SetBackgroundBitmap(BitmapPicture(223), kStretch);
    StartMainForm(m_state, m_ui);
    m_text->SetTabStopsTwips({400, 2500, 3000, 4000});
    for (BitmapSlider* slider : {m_trackFader[0], m_trackFader[1], m_trackFader[2], m_trackFader[3], m_textVolume,
                                 m_imageVolume})
        slider->SetSkin(137, 136, 104);
    m_waitMessageCreated = false;
    ShowState();
    ShowTitle();
    SetToolTips();
    if (m_firstTrackAfterPaint) m_firstTrackPending = true;
    else ShowTrack(m_state, *m_trackWindows, 1);
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
        if (watched == Control(1084) && mouse->button() == Qt::LeftButton && Control(1084)->isEnabled())
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

void Ctarvex4View::ShowWaitMessage() {
    const bool first = !m_waitMessageCreated;
    if (first) {
        m_waitMessage = new waitmessage(this);
        m_waitMessageCreated = true;
    }
    m_waitMessage->ShowOver(this, first);
}

void Ctarvex4View::HideWaitMessage() {
    m_text->ScrollToFirstLine();
    if (m_waitMessageCreated) {
        m_waitMessage->hide();
        update();
    }
}

void Ctarvex4View::Go() { BuildCollage(m_state, m_ui); }

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
    if (std::optional<std::string> name = SaveSessionCommand(m_state, m_ui, windowsOpen, m_sessionName)) {
        m_sessionName = *name;
        ShowTitle();
    }
}

void Ctarvex4View::OpenSession() {
    std::optional<std::string> name = OpenSessionCommand(m_state, m_ui, *m_trackWindows);
    if (!name) return;
    for (int n = 1; n <= 4; ++n) {
        if (trackview* window = m_trackWindows->Window(n)) window->ShowState();
    }
    m_sessionName = *name;
    ShowTitle();
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
