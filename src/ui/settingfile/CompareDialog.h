#pragma once
// "Compare with Camera": what a setting file would change in the camera, shown before anything
// of it is sent. One row per setting that differs (parameter, file value, camera value) and a
// line that says how the comparison went. Modal; "Apply" accepts (the caller then loads the
// file), "Close" and Escape reject. It only shows a comparison that was made before.
#include "SettingCompare.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

class CompareDialog : public QDialog {
    Q_OBJECT
public:
    CompareDialog(QWidget* owner, const QString& path, const SettingFile::Comparison& comparison);

    QTableWidget* Table() const { return m_table; }

private:
    void fillTable(const SettingFile::Comparison& comparison);
    void fitToContents();

    QLabel* m_summary;
    QTableWidget* m_table;
    QPushButton* m_apply;
    QPushButton* m_close;
};
