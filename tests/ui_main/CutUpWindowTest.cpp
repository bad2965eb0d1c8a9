// SPDX-License-Identifier: GPL-3.0-or-later
// The words of the last GO in the window: Edit > Copy Cut-up as Text,
// View > Mark Sources in Page and View > Last Mix.
#include "MainWindowFixture.h"

#include "app/MainFormIds.h"
#include "app/BoardDoor.h"
#include "app/MainFrameIds.h"
#include "page/CollageModel.h"
#include "richtext/RichTextOps.h"
#include "support/Random.h"

#include <QAction>
#include <QClipboard>
#include <QTableWidget>

TEST_F(MainWindowTest, TheLastGosWordsGoToTheClipboardThePageAndTheMixBox) {
    Open();
    const std::string words = "alpha beta gamma delta epsilon zeta eta theta iota kappa";
    LoadMarkup(*state->m_mainText, words);
    state->m_trackWindowOpen = {false, false, false, false};
    state->m_textVolume = 30;
    state->m_imageVolume = 0;
    // No GO yet: the clipboard keeps what the user put there, and both say why.
    QGuiApplication::clipboard()->setText("before");
    frame->Command(ID_EDIT_COPY_CUTUP_TEXT)->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
    frame->Command(ID_VIEW_LAST_MIX)->trigger();
    ASSERT_EQ(ui.messages.size(), 2u);
    for (const auto& message : ui.messages) EXPECT_EQ(message.text, "There is no cut-up yet: press GO first.");
    EXPECT_EQ(view->findChild<QTableWidget*>("lastMixTable"), nullptr);

    // A seeded draw: how many snips find words depends on it.
    rng::Seed(11);
    view->OnCommand(IDC_GO);
    const std::string plain = ReadFile(output + "collage1.html");
    EXPECT_EQ(plain.find(" title='"), std::string::npos);
    frame->Command(ID_EDIT_COPY_CUTUP_TEXT)->trigger();
    const QStringList lines = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    collage::Collage page;
    std::string why;
    ASSERT_TRUE(collage::ReadPage(plain, page, why)) << why;
    QStringList expected;
    for (const collage::Item& item : page.items) {
        const QString snip = QString::fromStdString(item.words).trimmed();
        if (!snip.isEmpty()) expected << snip;
    }
    EXPECT_EQ(lines, expected);
    EXPECT_GE(lines.size(), 4);

    QAction* mark = frame->Command(ID_VIEW_MARK_SOURCES);
    EXPECT_FALSE(mark->isChecked());
    mark->trigger();
    EXPECT_TRUE(mark->isChecked());
    view->OnCommand(IDC_GO);
    const std::string marked = ReadFile(output + "collage1.html");
    ASSERT_TRUE(collage::ReadPage(marked, page, why)) << why;
    EXPECT_TRUE(page.markSources);
    int fromMain = 0;
    for (const collage::Item& item : page.items) {
        if (item.source.empty()) continue;
        EXPECT_EQ(item.source, "main");
        EXPECT_NE(marked.find(" title='" + collage::SourceTitle(item) + "'"), std::string::npos);
        ++fromMain;
    }
    EXPECT_GE(fromMain, 4);

    frame->Command(ID_VIEW_LAST_MIX)->trigger();
    auto* table = view->findChild<QTableWidget*>("lastMixTable");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, 0)->text(), "main");
    EXPECT_EQ(table->item(0, 1)->text(), "100.0%");
    EXPECT_EQ(table->item(0, 2)->text(), QString("100.0% (%1)").arg(fromMain));

    // A page open on the board is the one both speak of.
    collage::Collage fewer = page;
    fewer.items.erase(fewer.items.begin(), fewer.items.begin() + static_cast<long>(fewer.items.size() / 2));
    const std::string other = output + "other.html";
    WriteFile(other, collage::WritePage(fewer));
    ASSERT_TRUE(view->Board().OpenPage(other));
    frame->Command(ID_EDIT_COPY_CUTUP_TEXT)->trigger();
    QStringList shown;
    int shownFromMain = 0;
    for (const collage::Item& item : fewer.items) {
        const QString snip = QString::fromStdString(item.words).trimmed();
        if (!snip.isEmpty()) shown << snip;
        shownFromMain += !item.source.empty();
    }
    ASSERT_LT(shownFromMain, fromMain);
    EXPECT_EQ(QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts), shown);
    frame->Command(ID_VIEW_LAST_MIX)->trigger();
    EXPECT_EQ(table->item(0, 2)->text(), QString("100.0% (%1)").arg(shownFromMain));
}
