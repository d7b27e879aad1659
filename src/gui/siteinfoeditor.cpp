// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/siteinfoeditor.h"

#include "core/userdialogs.h"
#include "analysis/trafficsummary.h"

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

}   // namespace

SiteInfoEditor::SiteInfoEditor(QLineEdit* location, QTextEdit* comment, QSpinBox* limit, QObject* parent)
    : QObject(parent), m_location(location), m_comment(comment), m_limit(limit)
{
    m_limit->setRange(0, 300);
    m_limit->setSpecialValueText(QStringLiteral("—"));
    connect(m_location, &QLineEdit::textEdited, this, [this](const QString& text) { m_pending.location = text; });
    connect(m_location, &QLineEdit::editingFinished, this, &SiteInfoEditor::save);
    connect(m_comment, &QTextEdit::textChanged, this, [this]() {
        if (!m_filling)
            m_pending.comment = m_comment->toPlainText();
    });
    m_comment->installEventFilter(this);
    connect(m_limit, QOverload<int>::of(&QSpinBox::valueChanged), this, [this](int value) {
        if (m_filling)
            return;
        m_pending.speedLimit = value;
        m_limitSet = true;
        save();
        emit limitChanged();
    });
    // Confirming the proposal put there by propose() makes it the site's limit.
    connect(m_limit, &QSpinBox::editingFinished, this, [this] {
        if (m_filling || m_limitSet || m_limit->value() <= 0)
            return;
        m_pending.speedLimit = m_limit->value();
        m_limitSet = true;
        save();
        emit limitChanged();
    });
}

SiteInfoEditor::~SiteInfoEditor()
{
    // The fields may be gone already: only what was recorded is written.
    if (!m_file.isEmpty() && !m_pending.isEmpty() && !m_session.contains(m_file))
        writeSiteInfo(m_file, m_pending);
}

bool SiteInfoEditor::eventFilter(QObject* object, QEvent* event)
{
    if (object == m_comment && event->type() == QEvent::FocusOut)
        save();
    return QObject::eventFilter(object, event);
}

void SiteInfoEditor::open(const QString& file, const SiteInfo& stored, const QString& defaultLocation,
                          const QString& areaName, const QString& unit)
{
    save();
    m_file = file;
    m_pending = SiteInfo();
    SiteInfo info = stored;
    merge(info, m_session.value(file));

    m_filling = true;
    m_location->setText(info.location.value_or(defaultLocation));
    m_comment->setPlainText(info.comment.value_or(QString()));
    m_limit->setSuffix(QLatin1Char(' ') + unit);
    m_filling = false;
    m_limitSet = info.speedLimit.has_value();
    m_proposal = limitFromAreaName(areaName).value_or(0);
    showLimit(m_limitSet ? *info.speedLimit : 0);
}

void SiteInfoEditor::areaChanged(const QString& areaName)
{
    m_proposal = limitFromAreaName(areaName).value_or(0);
}

void SiteInfoEditor::propose()
{
    if (!m_limitSet && m_limit->value() <= 0 && m_proposal > 0) {
        const bool filling = m_filling;
        m_filling = true;
        m_limit->setValue(m_proposal);
        m_filling = filling;
    }
}

std::optional<int> SiteInfoEditor::limit() const
{
    // The area's number is a proposal, never the limit.
    if (!m_limitSet || m_limit->value() <= 0)
        return std::nullopt;
    return m_limit->value();
}

void SiteInfoEditor::showLimit(int value)
{
    if (m_limit->value() == value)
        return;
    m_filling = true;
    m_limit->setValue(value);
    m_filling = false;
    emit limitChanged();
}

void SiteInfoEditor::save()
{
    if (m_file.isEmpty() || m_pending.isEmpty())
        return;
    const bool kept = m_session.contains(m_file);
    if (!kept && writeSiteInfo(m_file, m_pending)) {
        m_pending = SiteInfo();
        return;
    }
    merge(m_session[m_file], m_pending);
    m_pending = SiteInfo();
    if (!m_warned.contains(m_file)) {
        m_warned.insert(m_file);
        userDialogs().message(UserDialogs::Icon::Warning, tr("Statistiques"),
                              tr("Le fichier %1 ne peut pas être modifié : le lieu, le commentaire et la vitesse "
                                 "limite sont gardés jusqu'à la fermeture du programme, sans être enregistrés.")
                                  .arg(m_file));
    }
}
