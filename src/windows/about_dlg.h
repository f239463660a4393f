#pragma once

#include <QDialog>

// The about box: version, build, edition and the file format versions this build writes.
class TAboutDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutDlg(QWidget* parent = nullptr);
    // The build number: the last part of the executable's four-part version.
    static QString BuildNumber();
};

// The contacts window shown at start and from "О Нас...".
class TPresentationRotoDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TPresentationRotoDlg(QWidget* parent = nullptr);
};
