#pragma once
// EWelcome: the title picture.

#include "app/effect.h"

class EWelcome : public Effect {
public:
    void render(float localTime, float dt) override;
    void load() override;
    void idle() override {}
};
