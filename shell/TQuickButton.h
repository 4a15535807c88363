#pragma once

#include <QToolButton>

// A quick-launch button of the main window's bar: hint = the module's
// library name, tag = the catalogue row's id. The hint is never shown.
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

private:
    QString m_hint;
    int m_tag = 0;
};
