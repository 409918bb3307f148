target_sources(mkui PRIVATE
    ChoiceGroup.cpp ChoiceGroup.h
    MK_ViewOsc.cpp MK_ViewOsc.h
    OscDrawing.cpp OscDrawing.h)
