#pragma once

#include <QDialog>
#include <functional>

class QFileDialog;
class QLabel;
class QLineEdit;

// The own firm's details as the settings keep them.
struct TFirmDetails
{
    QString Name, Logo, Address, JustAddress, ZipCode, Phone1, Phone2, Phone3, Fax, EMail, Internet, INN,
        Account, Director, BookKeeper;
};

class TFirmInfoDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TFirmInfoDlg(QWidget* parent = nullptr);
    void SetDetails(const TFirmDetails& details);
    TFirmDetails Details() const; // the texts as typed

    // Shows the details; only OK copies the edits back.
    static bool Run(TFirmDetails& details, QWidget* parent = nullptr);

    // The logo's browse button; a chosen file becomes the logo and is shown at once.
    void BrowseLogo();
    // Loads the picture into the preview; an unreadable picture is reported and the preview cleared.
    bool LoadPreview(const QString& path);
    QLabel* Preview() const { return Image; }
    QLineEdit* Edit(const char* name) const;

    // Runs the picture file dialog; tests replace it.
    std::function<bool(QFileDialog&)> RunFileDialog;

private:
    QLineEdit* Add(const char* name);
    QLabel* Image;
};

// The picture dialog's filters: Windows bitmaps and metafiles first, then the common formats.
QString LogoFilter();
