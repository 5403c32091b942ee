#pragma once
// EWelcome: the title picture.

#include "scenes/effect.h"

class EWelcome : public Effect {
public:
    void draw(float localTime, float dt) const override;
    void load() override;
    void idle() override {}
};
