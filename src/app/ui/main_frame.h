#pragma once
// CMainFrame: the main window. Holds the drawing view, routes commands to the document and asks
// before a modified project is closed.

#include <QMainWindow>

#include "model/document_views.h"

class CChildView;
class CTenzoraApp;

class CMainFrame : public QMainWindow, public DocumentViews {
    Q_OBJECT
public:
    explicit CMainFrame(CTenzoraApp& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CChildView* view() const { return view_; }

    // DocumentViews
    void refreshFigures() override;
    void rebuildTree() override;
    void repaint() override;
    void setTitle(const std::wstring& title) override;
    void clientSize(int& width, int& height) override;

    // The close question; true when the window may close.
    bool confirmClose();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();

    CTenzoraApp& app_;
    CChildView* view_ = nullptr;
};
