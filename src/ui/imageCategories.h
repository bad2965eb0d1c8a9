#pragma once
#include "images/ImageSources.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class QTreeWidget;
class UserInterface;
class imageimport;

// "Select Image Sources": the image categories with check boxes; the ticks
// that are saved choose where collages take their pictures from.
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

private:
    void LoadList();
    void OnRefresh();
    void OnSave();
    void OnImport();

    std::string m_databasePath;
    UserInterface& m_ui;
    QTreeWidget* m_categoryList = nullptr;
    std::vector<ImageCategoryRow> m_rows;
    imageimport* m_importDialog = nullptr;
};
