// The profile window's editor as the panel offers it to a host that manages
// the profile list from a script (PDEPanelProtocol.h): the ProfileControl's
// own editor, opening, save and window, without the window's widgets.
#pragma once

#include "PDEPanelProtocol.h"

class ProfileControl;

class ProfileEditing : public PDEProfileEditing
{
  public:
    explicit ProfileEditing(ProfileControl &control) : control(control) {}

    void open() override;
    std::vector<Row> rows(int group) override;
    Result tick(int group, int row) override;
    Result remove(int group, int row) override;
    Result add(int group, const std::string &fileName, const std::string &profileName) override;
    Result edit(int group, int row, const std::string *fileName, const std::string &profileName) override;
    std::string typedFileName(const std::string &text) override;
    std::string typedProfileName(const std::string &text) override;
    std::string save() override;
    QWidget *window(int group, int row) override;

  private:
    Result commit(const std::string &fileName, const std::string &profileName);

    ProfileControl &control;
};
