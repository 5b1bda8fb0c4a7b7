#pragma once

#include <QObject>
#include <QStringList>

namespace vintrel {

class TDM;

// The main window's current aspect and tour, as procedures free of widgets: the aspect list,
// the aspect change, the tour change by a click in the tour list, and the participant order.
class CurrentContext : public QObject {
    Q_OBJECT
public:
    explicit CurrentContext(TDM &dm, QObject *parent = nullptr);

    TDM &dm() const { return m_dm; }

    // Rebuilds the aspect list from T_ASPECT in its order and selects item 0.
    void loadAspects();
    // Rebuilds the list only: T_ASPECT is walked unfiltered and left on its first row, and no
    // item is selected until the caller selects one.
    void relistAspects();
    QStringList aspectNames() const { return m_aspectNames; }
    int currentAspect() const { return m_aspect; } // -1: no aspect selected
    bool hasAspect() const { return m_aspect >= 0; }

    // The aspect change for item i; an index outside the list does nothing.
    void selectAspect(int item);

    // Makes row `row` of the tour list the current tour (the tour change follows).
    void selectTourRow(int row);
    // Makes the tour of that kind current; false when the variant has no such tour.
    bool selectTourKind(int tourKind);
    bool hasTour() const;
    int currentTourKind() const;

    // The participant order: 0 surname, 1 organization, 2 classification, 3 place, 4 start.
    void setSortOrder(int item);
    int sortOrder() const { return m_sortOrder; }
    static QStringList sortItems();

    QString countText() const { return m_countText; }

signals:
    void aspectsReloaded(const QStringList &names);
    void aspectSelected(int item);
    void countTextChanged(const QString &text);

private:
    TDM &m_dm;
    QStringList m_aspectNames;
    int m_aspect = -1;
    int m_sortOrder = 0;
    QString m_countText;
};

} // namespace vintrel
