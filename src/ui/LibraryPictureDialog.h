// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/ThumbnailFiller.h"

#include <QDialog>
#include <QImage>
#include <QList>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;
class UserInterface;

// "Add Picture": the image library's categories, and the pictures of the
// chosen one as thumbnails, which fill in as they are made. Add takes the
// chosen picture; From File... asks for a file instead.
class LibraryPictureDialog : public QDialog {
    Q_OBJECT
public:
    LibraryPictureDialog(std::string databasePath, UserInterface& ui, QWidget* parent = nullptr);
    ~LibraryPictureDialog() override;

    // The library holds a picture in some category (read on construction).
    bool HasPictures() const { return !m_categoryIds.empty(); }
    // After an accepted run: the picture chosen, or none when the user
    // asked for a file.
    std::optional<long> ChosenPicture() const { return m_chosen; }
    bool FromFile() const { return m_fromFile; }

    QListWidget* CategoryList() const { return m_categories; }
    QListWidget* PictureList() const { return m_pictures; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* FromFileButton() const { return m_file; }
    // Every thumbnail of the category shown is there.
    bool ThumbnailsReady() const { return m_filler->Done(); }

private:
    void LoadCategories();
    void ShowCategory(int row);
    void ShowThumbnails(long categoryId, const QList<QImage>& strip);
    void Choose();

    std::string m_databasePath;
    UserInterface& m_ui;
    QListWidget* m_categories = nullptr;
    QListWidget* m_pictures = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_file = nullptr;
    // Per row of the category list: its ID, and the IDs of its pictures.
    std::vector<long> m_categoryIds;
    std::map<long, std::vector<long>> m_pictureIds;
    long m_shownCategory = -1;
    std::unique_ptr<ThumbnailFiller> m_filler;
    std::optional<long> m_chosen;
    bool m_fromFile = false;
};
