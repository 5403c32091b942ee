#pragma once
// EWelcome: the title picture.

#include "scenes/effect.h"

class EWelcome : public Effect {
public:
    void render(float localTime, float dt) override;
    void load() override;
    void idle() override {}
};
