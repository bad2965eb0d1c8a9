// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "images/ImageImport.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class CBitmapButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QProgressDialog;
class QRadioButton;
class UserInterface;

// "Import Custom Images": stores the pictures of a folder (GIF, PNG, JPEG,
// WebP) in the image library under a category picked from the list or typed
// in, large ones reduced when "Reduce large pictures" is checked. The object
// keeps its folder and the check box between openings.
class imageimport : public QDialog {
    Q_OBJECT
public:
    imageimport(const std::string& databasePath, UserInterface& ui, QWidget* parent = nullptr);
    ~imageimport() override;

    // Fills the category list and checks "existing category", then runs the
    // dialog modally.
    int DoModal();
    void OnInitDialog();

    const ImageImporter& Importer() const { return m_importer; }
    const ImportReport& LastReport() const { return m_lastReport; }
    // The files-done count of every progress step of the last import.
    const std::vector<int>& ProgressSteps() const { return m_progressSteps; }
    // The progress box, while one is up.
    const QProgressDialog* ProgressBox() const { return m_progress.get(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    CBitmapButton* AddPictureButton(int id, const char* caption, int left, int top);
    void OnChooseFolder();
    void OnImport();
    void ShowProgress(int done, int found);
    std::unique_ptr<QProgressDialog> MakeProgressBox();
    CategoryChoice CurrentChoice() const;

    ImageImporter m_importer;
    UserInterface& m_ui;
    std::vector<std::string> m_listed;
    ImportReport m_lastReport;
    std::vector<int> m_progressSteps;
    std::unique_ptr<QProgressDialog> m_progress;

    QRadioButton* m_existingRadio = nullptr;
    QComboBox* m_categoryCombo = nullptr;
    QRadioButton* m_newRadio = nullptr;
    QLineEdit* m_newName = nullptr;
    QLineEdit* m_folderEdit = nullptr;
    QCheckBox* m_reduceLarge = nullptr;
    CBitmapButton* m_importButton = nullptr;
};
