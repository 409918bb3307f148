#pragma once

// Measured-parameter descriptors (placeholder until the catalogue lands).
class TMeasParBase {
public:
    virtual ~TMeasParBase() = default;
    int Id = 0;
};
