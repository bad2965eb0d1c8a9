// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "images/ImageSources.h"
#include "ui/ThumbnailFiller.h"

#include <QDialog>
#include <QImage>
#include <QList>
#include <QPoint>

#include <memory>
#include <string>
#include <utility>
#include <vector>

class QTreeWidget;
class UserInterface;
class imageimport;

// "Select Image Sources": the image categories with check boxes; the ticks
// that are saved choose where collages take their pictures from. Beside each
// name a strip of thumbnails shows the category's first pictures; the strips
// fill in once the window shows, from the cache in the data folder where it
// can.
class imageCategories : public QDialog {
    Q_OBJECT
public:
    imageCategories(const std::string& databasePath, UserInterface& ui, QWidget* parent = nullptr);
    ~imageCategories() override;

    // Loads the list afresh, then runs the dialog modally.
    int DoModal();
    void OnInitDialog();

    // The list's rows with their ticks as shown now.
    std::vector<ImageCategoryRow> Rows() const;
    QTreeWidget* CategoryList() const { return m_categoryList; }
    // The dialog's own import dialog (made on first use).
    imageimport& ImportDialog();

    // The thumbnails shown beside row `row` so far; a null image is a
    // picture that could not be decoded (shown as a placeholder).
    QList<QImage> Strip(int row) const;
    // Every strip of the list is complete.
    bool ThumbnailsReady() const;
    // Pictures decoded for the strips since the list was last loaded.
    int PicturesDecoded() const;
    QString ThumbnailFolder() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LoadList();
    void StartStrips();
    void ShowStrip(long categoryId, const QList<QImage>& strip);
    void FitToStrips();
    void OnRefresh();
    void OnSave();
    void OnImport();

    std::string m_databasePath;
    UserInterface& m_ui;
    QTreeWidget* m_categoryList = nullptr;
    std::vector<ImageCategoryRow> m_rows;
    imageimport* m_importDialog = nullptr;

    std::unique_ptr<ThumbnailFiller> m_filler;
    std::vector<ThumbnailFiller::Category> m_pendingStrips;  // until the first show
    std::vector<QList<QImage>> m_strips;                     // per row
    bool m_stripsWaitForShow = false;
    bool m_sizedForStrips = false;
    // The buttons' places at the dialog's own size; as the window grows
    // they go down with its bottom edge, "exitsel" also with its right one.
    struct PlacedButton {
        QWidget* button = nullptr;
        QPoint place;
        bool followsRight = false;
    };
    std::vector<PlacedButton> m_buttons;
};
