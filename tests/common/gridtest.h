#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QStringList>
#include <QTest>

namespace vintrel::test {

// The texts of one column of a model, top to bottom.
inline QStringList modelColumn(const QAbstractItemModel &model, int column)
{
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r)
        out << model.index(r, column).data().toString();
    return out;
}

// Opens the editor of a grid cell, selects what it holds and types `text` over it, as the
// operator does; returns the editor, or null when no editor opened.
inline QWidget *typeIntoCell(QAbstractItemView *view, const QModelIndex &cell, const QString &text)
{
    view->setFocus();
    view->setCurrentIndex(cell);
    view->edit(cell);
    QWidget *editor = QApplication::focusWidget();
    if (!editor || editor == view) return nullptr;
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, text);
    return editor;
}

} // namespace vintrel::test
