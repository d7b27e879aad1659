#include "campaign.h"

#include "ui_campaign.h"

Campaign::Campaign(QWidget* parent) : QDialog(parent), ui(new Ui::Campaign)
{
    ui->setupUi(this);
}

Campaign::~Campaign() = default;

void Campaign::setPeriod(const QString& start, const QString& end)
{
    ui->gb60_label_6->setText(start);
    ui->gb60_label_7->setText(end);
}

void Campaign::setTitle(const QString& title) { ui->gb60_lineEdit->setText(title); }
QString Campaign::title() const { return ui->gb60_lineEdit->text(); }
void Campaign::setComment(const QString& html) { ui->gb60_textEdit->setHtml(html); }
QString Campaign::comment() const { return ui->gb60_textEdit->document()->toHtml(); }
