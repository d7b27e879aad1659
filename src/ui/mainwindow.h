#pragma once

#include <QDateTime>
#include <QMainWindow>
#include <QString>

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void setLocaleName(const QString& name) { m_szLocaleName = name; }
    QString localeName() const { return m_szLocaleName; }
    // The locale's long date, one space, its short time.
    QString dateTimeText(const QDateTime& dateTime) const;

private:
    QString m_szLocaleName = QStringLiteral("fr_FR");
};
