#pragma once

#include "audio/audio_session.h"

namespace morva::audio {

// Gives every headset property that cannot be read its neutral value; a property that reads
// keeps what it holds. Surround is enabled through its effect control, read and written with
// the effect's own argument.
void applyPropertyDefaults(const AudioSession& session);

} // namespace morva::audio
