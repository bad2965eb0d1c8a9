// SPDX-License-Identifier: GPL-3.0-or-later
#include "composer/WordsDbRepair.h"

#include "db/WordsDb.h"
#include "db/WordsDbCheck.h"
#include "db/DataFolder.h"
#include "support/UserInterface.h"

std::string WordsDbProblem(const std::string& dataFolder) {
    const std::string path = wordsdb::DatabasePath(dataFolder);
    const wordsdb::DatabaseHealth health = wordsdb::CheckDatabase(path);
    return health.ok() ? std::string() : wordsdb::DescribeHealth(health, path);
}

bool OfferWordsDbRestore(const std::string& dataFolder, const std::string& installedFolder, UserInterface& ui) {
    const std::string problem = WordsDbProblem(dataFolder);
    if (problem.empty()) return true;
    if (installedFolder.empty()) {
        ui.ShowMessage(problem +
                           "\n\nNo delivered copy was found to put in its place, so collages, fills and "
                           "wordbooks will fail until it is mended.",
                       kWordsDbCaption);
        return false;
    }
    const std::string question =
        problem +
        "\n\nPut the delivered words database in its place? The file as it is now is kept beside "
        "it (words6.db.damaged-<date>) and nothing is deleted; your wordbooks and imported pictures "
        "stay in that file.";
    if (ui.ShowMessage(question, kWordsDbCaption, MessageButtons::YesNo) != MessageResult::Yes) return false;
    const DatabaseRestore restore = RestoreDeliveredDatabase(dataFolder, installedFolder);
    if (!restore.ok) {
        ui.ShowMessage("The delivered words database could not be put in place: " + restore.problem, kWordsDbCaption);
        return false;
    }
    std::string done = "The delivered words database is in place.";
    if (!restore.keptAs.empty()) done += " The previous file was kept as " + restore.keptAs + ".";
    ui.ShowMessage(done, kWordsDbCaption);
    return true;
}
