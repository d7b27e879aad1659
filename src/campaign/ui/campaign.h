#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class Campaign;
}

// Title and description of one campaign, with its period.
class Campaign : public QDialog
{
    Q_OBJECT

public:
    explicit Campaign(QWidget* parent = nullptr);
    ~Campaign() override;

    void setPeriod(const QString& start, const QString& end);
    void setTitle(const QString& title);
    QString title() const;
    // The description is rich text: set and read back as the document's HTML.
    void setComment(const QString& html);
    QString comment() const;

private:
    std::unique_ptr<Ui::Campaign> ui;
};
