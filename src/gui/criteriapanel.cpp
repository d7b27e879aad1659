// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/criteriapanel.h"

#include "analysis/analysis.h"
#include "analysis/periodsnap.h"
#include "core/messagelog.h"
#include "core/userdialogs.h"
#include "core/workspace.h"
#include "gui/dialogrunner.h"
#include "gui/siteinfoeditor.h"
#include "gui/speedarea/speedareaeditor.h"
#include "gui/tabs/summaryformat.h"
#include "speedarea/speedarea.h"
#include "ui_criteriapanel.h"

#include <QLocale>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QSignalBlocker>

CriteriaPanel::CriteriaPanel(QWidget* parent) : QToolBox(parent), ui(new Ui::CriteriaPanel)
{
    ui->setupUi(this);
    m_dateText = [](const QDateTime& dt) { return QLocale().toString(dt, QLocale::LongFormat); };
    // A limit is applied once typed whole, not at each digit.
    ui->limitSpin->setKeyboardTracking(false);
    // Tab leaves the comment, as in every other field.
    ui->commentEdit->setTabChangesFocus(true);
    m_siteInfo = std::make_unique<SiteInfoEditor>(ui->locationEdit, ui->commentEdit, ui->limitSpin);
    connect(m_siteInfo.get(), &SiteInfoEditor::limitChanged, this, [this] {
        if (!m_showing && m_analysed)
            emit criteriaChanged();
    });
    // The period holds whole half hours.
    connect(ui->periodStartEdit, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& dateTime) {
        const QDateTime snapped = snapPeriodStart(dateTime);
        if (snapped != dateTime)
            ui->periodStartEdit->setDateTime(snapped);
    });
    connect(ui->periodEndEdit, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& dateTime) {
        const QDateTime snapped = snapPeriodEnd(dateTime);
        if (snapped != dateTime)
            ui->periodEndEdit->setDateTime(snapped);
    });
    connect(ui->refreshButton, &QPushButton::clicked, this, &CriteriaPanel::refresh);
    connect(ui->speedAreaCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &CriteriaPanel::chooseArea);
    connect(ui->speedAreaButton, &QToolButton::clicked, this, &CriteriaPanel::manageAreas);
    ui->minSpeedSpin->setValue(SpeedStatistics::defaultMinSpeed(0));
    showBucketWidth(AnalysisRequest().bucketSeconds);
    fillAreas(0, QString());
    setCriteriaEnabled(true);
    // Blank rather than an arbitrary date before there is a period.
    for (QDateTimeEdit* editor : {ui->periodStartEdit, ui->periodEndEdit}) {
        editor->setSpecialValueText(QStringLiteral(" "));
        editor->setDateTime(editor->minimumDateTime());
    }
}

CriteriaPanel::~CriteriaPanel() = default;

void CriteriaPanel::showAnalysis(const Analysis& a)
{
    const QScopedValueRollback<bool> showing(m_showing, true);
    m_analysed = true;
    const MeasureRead& read = a.read();
    // The days of the campaigns read, else of the readings.
    const QDateTime first = a.campaignStart().isValid() ? a.campaignStart() : QDateTime::fromSecsSinceEpoch(read.first);
    const QDateTime last = a.campaignEnd().isValid() ? a.campaignEnd() : QDateTime::fromSecsSinceEpoch(read.last);
    for (QDateTimeEdit* editor : {ui->periodStartEdit, ui->periodEndEdit}) {
        editor->setSpecialValueText(QString());
        editor->setDateRange(first.date(), last.date());
    }
    ui->periodStartEdit->setDateTime(a.begin());
    ui->periodEndEdit->setDateTime(a.end());
    const AnalysisCriteria& c = a.criteria();
    ui->minSpeedSpin->setValue(c.minSpeed);
    showBucketWidth(c.bucketSeconds);
    fillAreas(a.units(), c.area);
    if (a.file() != m_file) {
        m_file = a.file();
        m_siteInfo->open(a.file(), a.site(), a.description(), c.area, a.unitSymbol());
    }

    ui->readStartLabel->setText(m_dateText(QDateTime::fromSecsSinceEpoch(read.first)));
    ui->readEndLabel->setText(m_dateText(QDateTime::fromSecsSinceEpoch(read.last)));
    ui->storeModeLabel->setText(SummaryFormat::storeModeText(a.summary()));
    ui->invalidReadingsLabel->setText(tr("%1 relevés ignorés : sens ou vitesse invalide").arg(read.invalidReadings));
    ui->invalidReadingsLabel->setToolTip(tr("Sens autre que 0 ou 1, ou vitesse hors de 0 à 1000"));
    ui->invalidReadingsLabel->setVisible(read.invalidReadings > 0);
}

void CriteriaPanel::editLimit()
{
    setCurrentWidget(ui->criteriaPage);
    m_siteInfo->propose();
    ui->limitSpin->setFocus(Qt::OtherFocusReason);
    ui->limitSpin->selectAll();
    // The page scrolls in a short window: the box comes into view.
    for (QWidget* w = ui->limitSpin->parentWidget(); w; w = w->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(w)) {
            area->ensureWidgetVisible(ui->limitSpin);
            break;
        }
}

void CriteriaPanel::setCriteriaEnabled(bool enabled)
{
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui->periodStartEdit, ui->periodEndEdit, ui->minSpeedSpin, ui->refreshButton,
                                         ui->speedAreaCombo, ui->speedAreaButton, ui->limitSpin})
        w->setEnabled(enabled && (m_analysed || w == ui->limitSpin));
}

AnalysisRequest CriteriaPanel::request(AnalysisRequest base, bool withPeriod) const
{
    if (withPeriod) {
        base.from = ui->periodStartEdit->dateTime();
        base.to = ui->periodEndEdit->dateTime();
        base.minSpeed = int(ui->minSpeedSpin->value());
    }
    base.area = ui->speedAreaCombo->currentText();
    // The limit shown, also when it is not stored (a read-only file): none is 0.
    base.limit = m_siteInfo->limit().value_or(0);
    return base;
}

QString CriteriaPanel::location() const
{
    return ui->locationEdit->text();
}

QString CriteriaPanel::commentHtml() const
{
    return ui->commentEdit->document()->toHtml();
}

void CriteriaPanel::refresh()
{
    // The start must come before the end: it is moved an hour before, and nothing computed.
    if (ui->periodStartEdit->dateTime() >= ui->periodEndEdit->dateTime()) {
        ui->periodStartEdit->setDateTime(ui->periodEndEdit->dateTime().addSecs(-3600));
        return;
    }
    emit refreshRequested();
}

void CriteriaPanel::chooseArea()
{
    const QString area = ui->speedAreaCombo->currentText();
    {
        const QScopedValueRollback<bool> showing(m_showing, true);
        m_siteInfo->areaChanged(area);
    }
    if (m_showing)
        return;
    setSpeedAreaChoice(m_units, area);
    emit criteriaChanged();
}

void CriteriaPanel::manageAreas()
{
    const QString chosen = ui->speedAreaCombo->currentText();
    QString shown;
    bool saved = false;
    {
        SpeedAreaEditor editor(this);
        editor.setUnits(m_units);
        editor.setFile(Workspace::speedAreaFile(m_units));
        tellDamagedAreas(editor);
        editor.selectArea(chosen);
        editor.setSpeedRange(int(ui->minSpeedSpin->value()), 200);
        editor.setDebugMode(debugModeEnabled());
        editor.refill();
        saved = runDialog(editor) == QDialog::Accepted;
        shown = editor.currentArea();
    }
    // Only the saved file counts. After a save the area shown last in the editor is taken,
    // else the one chosen before, as long as the file holds it.
    {
        const QScopedValueRollback<bool> showing(m_showing, true);
        fillAreas(m_units, saved ? shown : chosen);
        if (ui->speedAreaCombo->currentText() != (saved ? shown : chosen))
            fillAreas(m_units, chosen);
    }
    // A saved file may have changed the classes of the area kept.
    if (saved || ui->speedAreaCombo->currentText() != chosen)
        chooseArea();
}

void CriteriaPanel::showBucketWidth(int seconds)
{
    ui->bucketWidthLabel->setText(tr("Précision : %1 min").arg(seconds / 60));
}

void CriteriaPanel::fillAreas(int units, const QString& chosen)
{
    const QSignalBlocker blocker(ui->speedAreaCombo);
    m_units = units;
    SpeedArea areas;
    areas.setUnits(units);
    areas.setFile(Workspace::speedAreaFile(units));
    tellDamagedAreas(areas);
    const QStringList names = sortAreaNames(areas.areaNames());
    ui->speedAreaCombo->clear();
    ui->speedAreaCombo->addItems(names);
    const int index = ui->speedAreaCombo->findText(chosen.isEmpty() ? defaultAreaName(names, units) : chosen);
    if (index >= 0)
        ui->speedAreaCombo->setCurrentIndex(index);
}

void CriteriaPanel::tellDamagedAreas(const SpeedArea& areas)
{
    const QString text = areas.damagedText();
    if (text.isEmpty() || m_damagedAreaFilesTold.contains(areas.file()))
        return;
    m_damagedAreaFilesTold << areas.file();
    userDialogs().message(UserDialogs::Icon::Warning, tr("Zones de vitesse"), text);
}
