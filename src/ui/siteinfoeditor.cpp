#include "siteinfoeditor.h"

#include "core/userdialogs.h"
#include "stats/trafficsummary.h"

#include <QEvent>
#include <QLineEdit>
#include <QSpinBox>
#include <QTextEdit>

namespace {

// Later values win.
void merge(SiteInfo& into, const SiteInfo& values)
{
    if (values.location)
        into.location = values.location;
    if (values.comment)
        into.comment = values.comment;
    if (values.speedLimit)
        into.speedLimit = values.speedLimit;
}

} // namespace

SiteInfoEditor::SiteInfoEditor(QLineEdit* location, QTextEdit* comment, QSpinBox* limit, QObject* parent)
    : QObject(parent), m_pLocation(location), m_pComment(comment), m_pLimit(limit)
{
    m_pLimit->setRange(0, 300);
    m_pLimit->setSpecialValueText(QStringLiteral("—"));
    connect(m_pLocation, &QLineEdit::textEdited, this, [this](const QString& text) { m_pending.location = text; });
    connect(m_pLocation, &QLineEdit::editingFinished, this, &SiteInfoEditor::save);
    connect(m_pComment, &QTextEdit::textChanged, this, [this]() {
        if (!m_bFilling)
            m_pending.comment = m_pComment->toPlainText();
    });
    m_pComment->installEventFilter(this);
    connect(m_pLimit, QOverload<int>::of(&QSpinBox::valueChanged), this, [this](int value) {
        if (m_bFilling)
            return;
        m_pending.speedLimit = value;
        m_bLimitSet = true;
        save();
        emit limitChanged();
    });
}

SiteInfoEditor::~SiteInfoEditor()
{
    // The fields may be gone already: only what was recorded is written.
    if (!m_szFile.isEmpty() && !m_pending.isEmpty() && !m_session.contains(m_szFile))
        writeSiteInfo(m_szFile, m_pending);
}

bool SiteInfoEditor::eventFilter(QObject* object, QEvent* event)
{
    if (object == m_pComment && event->type() == QEvent::FocusOut)
        save();
    return QObject::eventFilter(object, event);
}

void SiteInfoEditor::open(const QString& file, const QString& defaultLocation, const QString& areaName,
                          const QString& unit)
{
    save();
    m_szFile = file;
    m_pending = SiteInfo();
    SiteInfo info = readSiteInfo(file);
    merge(info, m_session.value(file));

    m_bFilling = true;
    m_pLocation->setText(info.location.value_or(defaultLocation));
    m_pComment->setPlainText(info.comment.value_or(QString()));
    m_pLimit->setSuffix(QLatin1Char(' ') + unit);
    m_bFilling = false;
    m_bLimitSet = info.speedLimit.has_value();
    showLimit(m_bLimitSet ? *info.speedLimit : limitFromAreaName(areaName).value_or(0));
}

void SiteInfoEditor::areaChanged(const QString& areaName)
{
    if (!m_bLimitSet)
        showLimit(limitFromAreaName(areaName).value_or(0));
}

std::optional<int> SiteInfoEditor::limit() const
{
    if (m_pLimit->value() <= 0)
        return std::nullopt;
    return m_pLimit->value();
}

void SiteInfoEditor::showLimit(int value)
{
    if (m_pLimit->value() == value)
        return;
    m_bFilling = true;
    m_pLimit->setValue(value);
    m_bFilling = false;
    emit limitChanged();
}

void SiteInfoEditor::save()
{
    if (m_szFile.isEmpty() || m_pending.isEmpty())
        return;
    const bool kept = m_session.contains(m_szFile);
    if (!kept && writeSiteInfo(m_szFile, m_pending)) {
        m_pending = SiteInfo();
        return;
    }
    merge(m_session[m_szFile], m_pending);
    m_pending = SiteInfo();
    if (!m_warned.contains(m_szFile)) {
        m_warned.insert(m_szFile);
        userDialogs().message(UserDialogs::Icon::Warning, tr("Statistiques"),
                              tr("Le fichier %1 ne peut pas être modifié : le lieu, le commentaire et la vitesse "
                                 "limite sont gardés jusqu'à la fermeture du programme, sans être enregistrés.")
                                  .arg(m_szFile));
    }
}
