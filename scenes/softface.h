#pragma once
// ESoftface: the finale.

#include "app/effect.h"

class ESoftface : public Effect {
public:
    void render(float localTime, float dt) override;
    void load() override;
    void idle() override {}
};
