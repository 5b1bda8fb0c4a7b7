#pragma once

#include "app/command.h"
#include "data/workspace.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace vintrel {

class AboutBox;
struct CommandEntry;
class CurrentContext;
class DataGrid;
class DateFieldEdit;
class Prompter;
class TDM;
class TFormComp;
class TFormSprav;
class TFormSQL;
class TFormInVid;
class TFormORG;
class TFormGroup;
class TFormKolGroup;
class TFormOlimp;
class TFormJudge;
class TFormObsl;
class TFormPerson;

// The main window: the current aspect and tour, the participants of the aspect, the menus and
// the commands. Every procedure it starts lives in CurrentContext or in a command; the window
// only shows tables and passes the operator's choices on.
class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormMain(QWidget *parent = nullptr);
    ~TFormMain() override;

    // Binds the window to the data module once it exists (it is made after the window).
    void attach(TDM &dm, CurrentContext &context, const Workspace &workspace, AboutBox &about);

    // Where messages go (message boxes unless replaced, e.g. by a test's recorder).
    void setPrompter(Prompter &prompter);
    Prompter &prompter() const { return *m_prompter; }

    QMenu *contextMenu() const { return m_popup; }
    TFormComp *formComp() const { return m_formComp; }
    TFormSprav *formSprav() const { return m_formSprav; }
    TFormSQL *formSql() const { return m_formSql; }
    TFormORG *formOrg() const { return m_formOrg; }
    TFormInVid *formInVid() const { return m_formInVid; }
    TFormOlimp *formOlimp() const { return m_formOlimp; }
    TFormPerson *formPerson() const { return m_formPerson; }
    TFormJudge *formJudge() const { return m_formJudge; }
    TFormObsl *formObsl() const { return m_formObsl; }

    // "Информацию о соревновании", also a double-click on the heading panel.
    void openCompetition();
    // "Организации и их заявки" and "Участников вида" (also a double-click on the participants):
    // once the window closes, the aspect change shows the current aspect's participants again.
    void openOrganizations();
    void openParticipants();
    QMenu *tablesMenu() const { return m_tablesMenu; }

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override; // the heading's double-click

private:
    QWidget *buildTopPanel();
    QWidget *buildLeftPanel();
    QWidget *buildRightPanel();
    QWidget *buildBottomPanel();
    void buildMainMenu();
    void buildContextMenu();
    // Adds the entries of the command tables that this menu holds, in their order.
    void fillMenu(QMenu *menu);
    void addEntry(QWidget *menu, const CommandEntry &entry);
    // Runs a command on the current context: a cell still being typed into is stored first,
    // and the grid shows the rows as the command left them.
    void runParticipantsCommand(ContextCommand command);

    void sizeParticipantColumns();
    void rebuildAspectList(const QStringList &names);
    void showAspectSelected(int item);
    void showTourGrid(bool poolTour);
    void prepareEliminationClicked();
    void conductEliminationClicked();
    void refreshCompetition();
    void refreshAspectName();
    void refreshTour();
    void setEditMode(bool on);

    void tourDateEntered();
    void tourParticipantsEntered();
    void tourHeldClicked(bool held);
    void openHelp();
    void showAbout();
    // "Подготовка к туру" and "Проведение тура": each dispatches on the current tour's kind,
    // pool tours to the pool windows, elimination tours (kind 7 and 8) to theirs.
    void summarizeTourClicked();
    void prepareTour();
    void conductTour();
    void conductPoolTour();

    // Guarded: the data module may go first when its owner tears things down in another order.
    QPointer<TDM> m_dm;
    QPointer<CurrentContext> m_context;
    AboutBox *m_about = nullptr;
    TFormComp *m_formComp = nullptr;
    TFormSprav *m_formSprav = nullptr;
    TFormSQL *m_formSql = nullptr;
    TFormORG *m_formOrg = nullptr;
    TFormInVid *m_formInVid = nullptr;
    TFormKolGroup *m_formKolGroup = nullptr;
    TFormGroup *m_formGroup = nullptr;
    TFormOlimp *m_formOlimp = nullptr;
    TFormPerson *m_formPerson = nullptr;
    TFormJudge *m_formJudge = nullptr;
    TFormObsl *m_formObsl = nullptr;
    std::optional<Workspace> m_workspace;
    std::unique_ptr<Prompter> m_ownPrompter;
    Prompter *m_prompter;
    bool m_orderApplied = false;
    bool m_applyingStrip = false;

    QLabel *m_compName, *m_compPlace, *m_compDates, *m_aspectName, *m_tourName;
    QWidget *m_tourStrip;
    DateFieldEdit *m_tourDate;
    QLineEdit *m_tourKol;
    QCheckBox *m_tourHeld;
    QGroupBox *VID;
    QVBoxLayout *m_vidLayout;
    QButtonGroup *m_vidButtons;
    DataGrid *DBGrid1, *DBGrid2, *DBGrid3;
    QPushButton *Button2, *Button1, *BitBtn1;
    QButtonGroup *m_sortButtons;
    QLabel *lbl_COUNT;
    // What the entries that open a window or belong to the shell do, by object name.
    QHash<QString, std::function<void()>> m_openers;
    QMenu *m_tablesMenu = nullptr;
    QMenu *m_popup = nullptr;
};

} // namespace vintrel
