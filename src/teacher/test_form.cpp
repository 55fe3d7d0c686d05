// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_form.h"

#include "content/danni.h"
#include "teacher/document.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace kovra {

TestForm::TestForm(TestDocument *document, QWidget *parent)
    : QGroupBox(tr("The test"), parent), m_document(document), m_title(new QLineEdit(this))
{
    // Made in the order Tab goes through them.
    auto *form = new QFormLayout(this);
    m_title->setAccessibleName(tr("Title"));
    form->addRow(tr("&Title:"), m_title);
    connect(m_title, &QLineEdit::textEdited, this, [this](const QString &text) {
        edit(tr("Edit the title"), Title, [&text](TestSettings &s) { s.title = text; });
    });
    addKind(form);
    m_phrase = flag(tr("Phrase mode: the chosen answer is put into the blank (_) of the question"),
                    &TestSettings::phrase);
    m_askAgain =
        flag(tr("Check: the first question is asked again later, and both answers compared"),
             &TestSettings::askAgain);
    m_explanations = flag(tr("Show the explanations in the review"), &TestSettings::explanations);
    m_reviewButtons = flag(tr("Review buttons: step through every question after the evaluation"),
                           &TestSettings::reviewButtons);
    m_draw = new QSpinBox(this);
    m_draw->setRange(0, KOVRA_Danni::kFigureSlots - 1);
    m_draw->setSpecialValueText(tr("all"));
    m_draw->setAccessibleName(tr("Questions for each pupil"));
    form->addRow(tr("&Questions for each pupil:"), m_draw);
    connect(m_draw, &QSpinBox::valueChanged, this, [this](int value) {
        edit(tr("Questions for each pupil"), Draw, [value](TestSettings &s) { s.draw = value; });
    });
    m_collect = flag(tr("Collect the pupils' results"), &TestSettings::collectResults);
    m_resultsFolder = new QLineEdit(this);
    m_chooseFolder = new QPushButton(tr("Choose…"), this);
    m_resultsFolder->setAccessibleName(tr("Folder of the results"));
    m_resultsFolder->setPlaceholderText(tr("the test file's own folder"));
    auto *resultsRow = new QHBoxLayout;
    resultsRow->addWidget(m_resultsFolder);
    m_chooseFolder->setAccessibleName(tr("Choose the folder of the results"));
    resultsRow->addWidget(m_chooseFolder);
    auto *folderLabel = new QLabel(tr("Results &folder:"), this);
    folderLabel->setBuddy(m_resultsFolder);
    form->addRow(folderLabel, resultsRow);
    const auto setFolder = [this](const QString &folder) {
        edit(tr("Folder of the results"), Folder,
             [&folder](TestSettings &s) { s.resultsFolder = folder; });
    };
    connect(m_resultsFolder, &QLineEdit::textEdited, this, setFolder);
    connect(m_chooseFolder, &QPushButton::clicked, this, [this, setFolder] {
        const QString folder = QFileDialog::getExistingDirectory(this, tr("Folder of the results"));
        if (!folder.isEmpty()) {
            setFolder(folder);
        }
    });
}

// For practice, marked at once, or for marks: the pupils get a copy without the key, in the time
// given, and hand in their answers for the teacher to mark.
void TestForm::addKind(QFormLayout *form)
{
    m_kind = new QComboBox(this);
    m_kind->addItem(tr("for practice"));
    m_kind->addItem(tr("for marks"));
    m_kind->setAccessibleName(tr("Kind of test"));
    m_kind->setToolTip(tr("For marks: the pupils get a copy without the key, see no score, and "
                          "hand in their answers for you to mark."));
    form->addRow(tr("&Kind:"), m_kind);
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this](int index) {
        edit(tr("Kind of test"), -1, [index](TestSettings &s) { s.forMarks = index == 1; });
    });
    m_minutes = new QSpinBox(this);
    m_minutes->setRange(0, kMaxMinutes);
    m_minutes->setSpecialValueText(tr("no limit"));
    m_minutes->setSuffix(tr(" min"));
    m_minutes->setAccessibleName(tr("Time limit in minutes"));
    form->addRow(tr("Time &limit:"), m_minutes);
    connect(m_minutes, &QSpinBox::valueChanged, this, [this](int value) {
        edit(tr("Time limit"), Minutes, [value](TestSettings &s) { s.minutes = value; });
    });
}

QCheckBox *TestForm::flag(const QString &text, bool TestSettings::*member)
{
    auto *box = new QCheckBox(text, this);
    box->setAccessibleName(text);
    static_cast<QFormLayout *>(layout())->addRow(box);
    connect(box, &QCheckBox::toggled, this, [this, member, text](bool on) {
        edit(text, -1, [member, on](TestSettings &s) { s.*member = on; });
    });
    return box;
}

void TestForm::edit(const QString &label, int field,
                    const std::function<void(TestSettings &)> &change)
{
    if (m_showing) {
        return;
    }
    TestSettings settings = TestSettings::of(m_document->data());
    change(settings);
    m_document->setSettings(label, settings, field);
}

QWidget *TestForm::titleField() const
{
    return m_title;
}

void TestForm::showTest()
{
    m_showing = true;
    const Test &test = m_document->data();
    if (m_title->text() != test.title) {
        m_title->setText(test.title);
    }
    m_phrase->setChecked(test.phrase);
    m_askAgain->setChecked(test.askAgain);
    m_explanations->setChecked(test.explanations);
    m_reviewButtons->setChecked(test.reviewButtons);
    // A test for marks shows no review: these are a test for practice's, kept for it.
    m_explanations->setEnabled(!test.forMarks);
    m_reviewButtons->setEnabled(!test.forMarks);
    m_draw->setValue(test.draw);
    m_kind->setCurrentIndex(test.forMarks ? 1 : 0);
    m_minutes->setValue(test.forMarks ? test.forMarks->minutes : 0);
    m_minutes->setEnabled(test.forMarks.has_value());
    // A test for marks is handed in: its results are always kept, whatever its file says.
    const bool collect = test.collectResults || test.forMarks;
    m_collect->setChecked(collect);
    m_collect->setEnabled(!test.forMarks);
    if (m_resultsFolder->text() != test.resultsFolder) {
        m_resultsFolder->setText(test.resultsFolder);
    }
    m_resultsFolder->setEnabled(collect);
    m_chooseFolder->setEnabled(collect);
    m_showing = false;
}

} // namespace kovra
