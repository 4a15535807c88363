#pragma once

#include <QToolButton>

// A quick-launch button of the main window's bar: hint = the module's
// library name, tag = the catalogue row's id. The hint is never shown.
// Glyph above caption; the caption is drawn whole, never elided, since the
// button's width is fixed by the catalogue's rule, not by its text.
class TQuickButton : public QToolButton
{
    Q_OBJECT
    Q_PROPERTY(QString hint READ hint WRITE setHint)
    Q_PROPERTY(int tag READ tag WRITE setTag)
public:
    explicit TQuickButton(QWidget *parent = nullptr);

    const QString &hint() const { return m_hint; }
    void setHint(const QString &hint) { m_hint = hint; }
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_hint;
    int m_tag = 0;
};
