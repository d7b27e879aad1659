#pragma once

#include <QDateTime>
#include <QDialog>
#include <QMap>
#include <functional>
#include <memory>

class CampaignSelection;
class CampaignSynopsis;
class DatabaseManager;
class QPushButton;
struct CampaignInfo;

namespace Ui {
class LstCampaign;
}

// The campaign list dialog: one row per campaign of a selection, to tick the campaigns of an
// analysis or to delete campaigns. The ticks live in the selection; the rows only show them.
class LstCampaign : public QDialog
{
    Q_OBJECT

public:
    using DateText = std::function<QString(const QDateTime&)>;

    // Shows a row for every row the selection already holds. dateText writes the dates of the
    // rows (the locale's long date and short time when empty).
    explicit LstCampaign(CampaignSelection& selection, DateText dateText = {}, QWidget* parent = nullptr);
    ~LstCampaign() override;

    CampaignSelection& selection() { return m_selection; }
    // Borrowed connection for the deletion.
    void setDatabase(DatabaseManager* db);
    // A new campaign at the bottom (the first one is ticked); answers its row number.
    int addCampaign(const CampaignInfo& campaign);

    int checkStoreMode(bool* mismatch);
    QMap<int, int> campaignIds() const;
    bool checkContiguity();
    bool selectedPeriod(QDateTime& start, QDateTime& end) const;

    // The row widgets by row number.
    QMap<int, CampaignSynopsis*> rows() const { return m_rows; }
    QPushButton* selectAllButton() const { return m_pSelectAll; }
    QPushButton* removeButton() const { return m_pRemove; }
    QPushButton* reverseButton() const { return m_pReverse; }

public slots:
    void removeCampaign();
    void selectAll();
    void unSelectAll();
    void reverseSelect();
    void selectUnselectAll();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void addRow(int row);
    void removeRow(int row);
    // Makes the check boxes show the selection's ticks.
    void showTicks();
    void fitContents();

    std::unique_ptr<Ui::LstCampaign> ui;
    CampaignSelection& m_selection;
    DateText m_dateText;
    QMap<int, CampaignSynopsis*> m_rows;
    QPushButton* m_pSelectAll = nullptr;
    QPushButton* m_pRemove = nullptr;
    QPushButton* m_pReverse = nullptr;
};
