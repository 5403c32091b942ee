#pragma once
// ETunnel: the flight through the winding tube.

#include "app/effect.h"

class ETunnel : public Effect {
public:
    void render(float localTime, float dt) override;
    void load() override;
    void idle() override {}
};
