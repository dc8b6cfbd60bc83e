#pragma once

#include "platform/Twips.h"

#include <QString>
#include <QWidget>

class QPushButton;

namespace Pages {

// What sets one page's load apart from the others.
struct PageSpec {
    const char* name;           // window name, also the object name
    int helpContext = 0;        // topic of the Help button and of F1; 0: none
    bool lockStep = true;       // with Lock on, the inputs are disabled after the data is shown
    bool captionsFirst = false; // captions are set before the fixed lists are filled
};

// The frame every feature page shares. A page builds its controls, then calls
// Load(), which runs the steps in their fixed order:
//   1. the Help button is shown only while gHelpOn is set;
//   2. InitShowList() fills the fixed lists;
//   3. ChangShowByLanguage() sets the captions, then Close and Help take
//      theirs (steps 2 and 3 swap for pages whose captions come first);
//   4. ShowPageData() shows the page's data;
//   5. with Lock on (and a lock step), the inputs are disabled.
// The page is in the list of loaded windows from its load until it closes.
// Close unloads the page together with its frame in the main window.
//
// Controls carry their window names as object names; the members of a control
// array share the name and carry their index in the property "Index".
class FeaturePage : public QWidget {
    Q_OBJECT
public:
    ~FeaturePage() override;

    // The text a control shows: a label's or button's caption, a frame's
    // title, a text box's text, the text of a list's chosen item. Index -1
    // names a control that is not part of an array. "" when there is none.
    QString ControlText(const QString& name, int index = -1) const;

    // Window measures are given in twips, as the page layouts are drawn.
    static constexpr int Px(int twips) { return Platform::Px(twips); }

protected:
    FeaturePage(const PageSpec& pageSpec, QWidget* parent);

    void Load();

    virtual void InitShowList() {}
    virtual void ChangShowByLanguage() = 0;
    virtual void ShowPageData() = 0;

    // Names a control (and its index in a control array).
    static void SetName(QWidget* control, const char* name, int index = -1);
    // The Close and Help buttons at their places on the page.
    QPushButton* AddCloseButton(const QRect& twips);
    QPushButton* AddHelpButton(const QRect& twips);
    static QRect Twips(int left, int top, int width, int height);

    // Opens the program's help file at the topic of the control (the nearest
    // one up from it that has a "HelpContextID"), else at the page's topic.
    void ShowHelpFor(const QWidget* control) const;
    // Unloads the page and closes its frame.
    void Unload();

    void closeEvent(QCloseEvent* event) override;

    QPushButton* CommandClose = nullptr;
    QPushButton* CommandHelp = nullptr;

private:
    PageSpec spec_;
    bool unloaded_ = false;
};

} // namespace Pages
