#!/usr/bin/env python3
"""Makes splash.wav, the short chime played with each splash picture.

A soft two-note bell (C6, then G6 a moment later), 0.3 s long, written as
16-bit PCM mono RIFF WAVE at 22050 Hz. Only the standard library is used, and
the output is the same on every run.

Usage: python3 make_splash_wav.py [output file]   (default: splash.wav beside this script)
"""
import math
import os
import struct
import sys
import wave

RATE = 22050
LENGTH = 0.30  # seconds
PEAK = 0.55    # of full scale, leaves headroom

# (start in seconds, fundamental in Hz, loudness)
NOTES = [(0.000, 1046.50, 1.00), (0.075, 1567.98, 0.80)]
# Bell-like partials: (multiple of the fundamental, relative loudness, decay rate per second)
PARTIALS = [(1.0, 1.00, 11.0), (2.0, 0.35, 18.0), (3.01, 0.12, 26.0)]
ATTACK = 0.004   # seconds of fade-in of each note, so it starts without a click
RELEASE = 0.030  # seconds of fade-out at the very end


def sample(t):
    value = 0.0
    for start, freq, loud in NOTES:
        u = t - start
        if u < 0.0:
            continue
        env = min(1.0, u / ATTACK)
        for mult, amp, decay in PARTIALS:
            value += loud * amp * env * math.exp(-decay * u) * math.sin(2.0 * math.pi * freq * mult * u)
    tail = LENGTH - t
    if tail < RELEASE:
        value *= max(0.0, tail / RELEASE)
    return value


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "splash.wav")
    count = int(RATE * LENGTH)
    raw = [sample(i / RATE) for i in range(count)]
    scale = PEAK / max(abs(v) for v in raw)
    frames = b"".join(struct.pack("<h", int(round(v * scale * 32767))) for v in raw)
    with wave.open(out, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


if __name__ == "__main__":
    main()
