// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's view of a class's results: the pupils' table (sortable), the analysis of each
// question, the files set apart with their reasons, the marks' shares, and the table exported
// as CSV, printed or written as PDF.
#pragma once

#include "results/collect.h"

#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QFileSystemWatcher;
class QTimer;
class QLabel;
class QSpinBox;
class QTableView;
class QTabWidget;
class QPrinter;
class QPushButton;

namespace kovra {

class ResultsTableModel;

class ResultsView : public QWidget
{
    Q_OBJECT
public:
    explicit ResultsView(QWidget *parent = nullptr);

    // Reads the test file, then the folder's result files off the window's thread, marking them
    // against the test as it is now; opened() tells when they are shown. The words of what went
    // wrong when the test cannot be read.
    std::optional<QString> open(const QString &folder, const QString &testFile);
    // The marks by the formula (none) or by the share each of 3 to 6 needs.
    void setScale(const MarkScale &scale);

    [[nodiscard]] const ClassResults &results() const { return m_results; }
    // Whether result files are being read; the table is empty meanwhile.
    [[nodiscard]] bool collecting() const { return m_collecting; }
    [[nodiscard]] QTableView *pupilsTable() const { return m_pupils; }
    [[nodiscard]] QTableView *questionsTable() const { return m_questions; }
    [[nodiscard]] QTableView *apartTable() const { return m_apart; }
    [[nodiscard]] QTabWidget *tabs() const { return m_tabs; }

    // The words of a failure, none when written.
    std::optional<QString> exportCsv(const QString &path) const;
    std::optional<QString> exportPdf(const QString &path) const;
    // A review sheet for each pupil, one after another, each beginning a page
    // (print/review_sheets.h).
    std::optional<QString> exportReviewSheetsPdf(const QString &path) const;
    // Whether there are sheets to print: the results read, of one pupil at least.
    [[nodiscard]] bool hasReviewSheets() const;
    // The pupils, the analysis and the files set apart as one HTML document, for print and PDF.
    [[nodiscard]] QString html() const;

public Q_SLOTS:
    // Reads the folder and the test file again, as "Read again" does: the teacher's window calls
    // it after saving the test. A change of the test file on disk calls it by itself.
    void reload();

Q_SIGNALS:
    void opened();

protected:
    // A window of its own opens within the screen's room, its status line and buttons on screen.
    void showEvent(QShowEvent *event) override;

private Q_SLOTS:
    void chooseFolder();
    void chooseTest();
    void saveCsv();
    void print();
    void savePdf();
    void printReviewSheets();
    void saveReviewSheetsPdf();
    void scaleEdited();

private:
    void collect();
    void fill();
    void watchTest();
    void addReviewSheetsMenu();
    void print(QPrinter &printer) const;
    // Asks for a file to write, without waiting for the answer; `then` gets it.
    void chooseSavePath(const QString &title, const QString &filter, const QString &suffix,
                        const std::function<void(const QString &)> &then);
    void tell(const QString &text);

    QString m_folder;
    QString m_testFile;
    std::optional<MarkingTest> m_test;
    MarkScale m_scale;
    ClassResults m_results;
    quint64 m_generation = 0; // of the newest reading: an older one's results are not shown
    bool m_collecting = false;

    QLabel *m_where = nullptr;
    QLabel *m_summary = nullptr;
    QCheckBox *m_ownShares = nullptr;
    QPushButton *m_reviewSheets = nullptr;
    std::array<QSpinBox *, 4> m_shares{};
    QTabWidget *m_tabs = nullptr;
    QTableView *m_pupils = nullptr;
    QTableView *m_questions = nullptr;
    QTableView *m_apart = nullptr;
    ResultsTableModel *m_pupilsModel = nullptr;
    ResultsTableModel *m_questionsModel = nullptr;
    ResultsTableModel *m_apartModel = nullptr;
    QFileSystemWatcher *m_watcher = nullptr;
    QTimer *m_changed = nullptr; // a test file saved in steps is read once, when they are done
};

} // namespace kovra
