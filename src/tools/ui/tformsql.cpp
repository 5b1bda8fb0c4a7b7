#include "tformsql.h"

#include "tools/savedfile.h"
#include "tools/sqlconsole.h"
#include "tools/sqlexports.h"
#include "tools/sqlresult.h"

#include "app/command.h"
#include "app/helppage.h"
#include "app/prompter.h"
#include "data/datasource.h"
#include "widgets/datagrid.h"

#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include <optional>
#include <thread>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

QPushButton *button(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

void openDocument(const QString &path)
{
    if (documentOpeningAllowed()) QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace

TFormSQL::TFormSQL(const Workspace &workspace, const QString &databaseFile, Prompter &prompter,
                   QWidget *parent)
    : QDialog(parent), m_workspace(workspace), m_databaseFile(databaseFile), m_prompter(&prompter),
      m_result(std::make_unique<SqlResult>())
{
    setObjectName(u"FormSQL"_s);
    setWindowTitle(u"SQL-запрос. Получение любого отчета."_s);
    setModal(false);
    m_result->setObjectName(u"qr_SQL"_s);
    DS_SQL = new DataSource(m_result.get(), this);
    DS_SQL->setObjectName(u"DS_SQL"_s);

    auto *layout = new QVBoxLayout(this);
    lbl_Heading = new QLabel(
        u"SQL-ЗАПРОС. ПОЛУЧЕНИЕ ЛЮБОГО ОТЧЕТА ПО БАЗЕ ДАННЫХ ТЕКУЩИХ СОРЕВНОВАНИЙ"_s, this);
    lbl_Heading->setObjectName(u"lbl_Heading"_s);
    lbl_Heading->setAlignment(Qt::AlignCenter);
    QFont bold = lbl_Heading->font();
    bold.setBold(true);
    lbl_Heading->setFont(bold);
    layout->addWidget(lbl_Heading);

    auto *upper = new QHBoxLayout;
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(u"Memo1"_s);
    Memo1->setPlainText(u"SELECT *\nFROM T_PERSON"_s);
    Memo1->setMaximumHeight(140);
    upper->addWidget(Memo1, 1);
    auto *side = new QVBoxLayout;
    btn_Open = button(u"btn_Open"_s, u"Открыть"_s, this);
    btn_Save = button(u"btn_Save"_s, u"Сохранить"_s, this);
    btn_Run = button(u"btn_Run"_s, u"Выполнить"_s, this);
    btn_Interrupt = button(u"btn_Interrupt"_s, u"Прервать"_s, this);
    btn_Interrupt->setEnabled(false);
    for (QPushButton *b : {btn_Open, btn_Save, btn_Run, btn_Interrupt})
        side->addWidget(b);
    side->addStretch(1);
    upper->addLayout(side);
    layout->addLayout(upper);

    DBGrid1 = new DataGrid(this);
    DBGrid1->setObjectName(u"DBGrid1"_s);
    DBGrid1->setReadOnly(true);
    layout->addWidget(DBGrid1, 1);

    auto *bottom = new QHBoxLayout;
    btn_SaveTxt = button(u"btn_SaveTxt"_s, u"Сохранить в TXT-файл"_s, this);
    btn_SaveHtml = button(u"btn_SaveHtml"_s, u"Сохранить в HTML-файл"_s, this);
    btn_Close = button(u"btn_Close"_s, u"Закрыть"_s, this);
    bottom->addWidget(btn_SaveTxt);
    bottom->addWidget(btn_SaveHtml);
    bottom->addStretch(1);
    bottom->addWidget(btn_Close);
    layout->addLayout(bottom);

    connect(btn_Open, &QPushButton::clicked, this, &TFormSQL::openQuery);
    connect(btn_Save, &QPushButton::clicked, this, &TFormSQL::saveQuery);
    connect(btn_Run, &QPushButton::clicked, this, &TFormSQL::execute);
    connect(btn_Interrupt, &QPushButton::clicked, this, &TFormSQL::interrupt);
    connect(btn_SaveTxt, &QPushButton::clicked, this,
            [this] { exportResult(FileUse::TextExport); });
    connect(btn_SaveHtml, &QPushButton::clicked, this,
            [this] { exportResult(FileUse::HtmlExport); });
    connect(btn_Close, &QPushButton::clicked, this, &QDialog::close);

    resize(760, 560);
}

TFormSQL::~TFormSQL()
{
    DBGrid1->bind(nullptr, {});
}

QString TFormSQL::chooseFile(FileUse use)
{
    if (m_chooser) return m_chooser(use);
    struct Look {
        QString filter, suffix, folder;
        bool save;
    };
    const Look look = [use]() -> Look {
        switch (use) {
        case FileUse::OpenQuery:
            return {u"SQL-запрос (*.sql)"_s, u"sql"_s, u"sql"_s, false};
        case FileUse::SaveQuery:
            return {u"SQL-запрос (*.sql)"_s, u"sql"_s, u"sql"_s, true};
        case FileUse::TextExport:
            return {u"Текстовый файл (*.txt)"_s, u"txt"_s, u"Report"_s, true};
        case FileUse::HtmlExport:
            break;
        }
        return {u"Файл HTML (*.htm)"_s, u"htm"_s, u"Report"_s, true};
    }();
    const QString folder = m_workspace.path(look.folder);
    QDir().mkpath(folder);
    QFileDialog dialog(this, windowTitle(), folder, look.filter);
    dialog.setAcceptMode(look.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(look.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(look.suffix);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

void TFormSQL::openQuery()
{
    const QString path = chooseFile(FileUse::OpenQuery);
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_prompter->error(u"Не удалось открыть файл %1: %2"_s.arg(path, file.errorString()));
        return;
    }
    Memo1->setPlainText(decodeQueryText(file.readAll()));
}

void TFormSQL::saveQuery()
{
    const QString path = chooseFile(FileUse::SaveQuery);
    if (path.isEmpty()) return;
    const QByteArray bytes = encodeQueryText(Memo1->toPlainText());
    runCommand(*m_prompter, [&] {
        saveFile(path, [&](QIODevice &out) { out.write(bytes); });
        return true;
    });
}

void TFormSQL::showRunning(bool running)
{
    m_running = running;
    btn_Interrupt->setEnabled(running);
    for (QPushButton *b : {btn_Open, btn_Run, btn_SaveTxt, btn_SaveHtml})
        b->setEnabled(!running);
}

void TFormSQL::execute()
{
    if (m_running) return;
    m_result->clear();
    bindGrid();
    if (!m_console) {
        if (!runCommand(*m_prompter, [this] {
                m_console = std::make_unique<SqlConsole>(m_databaseFile);
                return true;
            }))
            return;
    }
    // The query runs on a thread of its own, so the window answers meanwhile: "Прервать" and
    // Esc stop it through the console's connection.
    const QString text = Memo1->toPlainText();
    std::optional<SqlRows> rows;
    QString failure;
    bool interrupted = false;
    QEventLoop loop;
    showRunning(true);
    std::thread worker([&] {
        try {
            rows = m_console->run(text);
        } catch (const SqlConsole::Interrupted &) {
            interrupted = true;
        } catch (const Refusal &e) {
            failure = e.message();
        } catch (...) {
            failure = SqlConsole::wrongQueryMessage();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    showRunning(false);
    if (rows) {
        m_result->setRows(std::move(*rows));
        bindGrid();
    } else if (!interrupted) {
        m_prompter->error(failure);
    }
}

void TFormSQL::interrupt()
{
    if (m_running && m_console) m_console->interrupt();
}

void TFormSQL::bindGrid()
{
    DBGrid1->bind(DS_SQL, m_result->fieldNames());
    DBGrid1->horizontalHeader()->resizeSections(QHeaderView::ResizeToContents);
}

void TFormSQL::exportResult(FileUse use)
{
    if (!m_result->hasResult() || m_running) return; // nothing run yet: nothing to export
    const QString path = chooseFile(use);
    if (path.isEmpty()) return;
    const bool written = runCommand(*m_prompter, [&] {
        saveFile(path, [&](QIODevice &out) {
            if (use == FileUse::TextExport)
                writeTextExport(out, *m_result);
            else
                writeHtmlExport(out, *m_result);
        });
        return true;
    });
    m_result->first();
    if (written) openDocument(path);
}

void TFormSQL::keyPressEvent(QKeyEvent *event)
{
    if (m_running && event->key() == Qt::Key_Escape) {
        interrupt();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFormSQL::done(int result)
{
    interrupt(); // closing while a query runs stops it; the window waits for it to end
    QDialog::done(result);
}

} // namespace vintrel
