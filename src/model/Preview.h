#pragma once

class TMK;

// The MK screen preview surface (placeholder until the preview lands).
class TMKPreview {
public:
    explicit TMKPreview(TMK& mk) : MK(mk) {}

private:
    TMK& MK;
};
