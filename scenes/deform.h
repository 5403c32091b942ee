#pragma once
// EDeform: the camera tour through the laboratory.

#include "app/effect.h"

class EDeform : public Effect {
public:
    void render(float localTime, float dt) override;
    void load() override;
    void idle() override {}
};
