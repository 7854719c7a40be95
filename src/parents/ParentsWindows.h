#pragma once

#include "context/WindowContext.h"

namespace parents {

class Parents;
class paswoord;
class invoegensite;
class startpagina;
class frmBlocker;
class paswoordwijzigen;
class tijdperdag;
class frmVandaag;
class frmVerzoeken;

// The parents' windows as they find each other: each exists at most once, made hidden by the
// first call of its accessor. The owner of the windows gives it, with all a window is given.
class ParentsWindows : public virtual context::WindowContext {
public:
    virtual parents::Parents& Panel() = 0;
    virtual paswoord& Login() = 0;
    virtual invoegensite& SiteEditor() = 0;
    virtual startpagina& StartPageEditor() = 0;
    virtual frmBlocker& Blocker() = 0;
    virtual paswoordwijzigen& ChangePassword() = 0;
    virtual tijdperdag& TimeLimitEditor() = 0;
    virtual frmVandaag& ActivityView() = 0;
    virtual frmVerzoeken& RequestsView() = 0;

    // The window if it exists; steps that only tidy up use these so they never make a window.
    virtual parents::Parents* PanelIfLoaded() const = 0;
    virtual paswoord* LoginIfLoaded() const = 0;
    virtual invoegensite* SiteEditorIfLoaded() const = 0;
    virtual startpagina* StartPageEditorIfLoaded() const = 0;
    virtual frmBlocker* BlockerIfLoaded() const = 0;
    virtual paswoordwijzigen* ChangePasswordIfLoaded() const = 0;
    virtual tijdperdag* TimeLimitEditorIfLoaded() const = 0;
    virtual frmVandaag* ActivityViewIfLoaded() const = 0;
    virtual frmVerzoeken* RequestsViewIfLoaded() const = 0;
};

}  // namespace parents
