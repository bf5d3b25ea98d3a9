#!/usr/bin/python3
"""The bubble sound: four seconds of bubbling that loops without a click,
22050 Hz, 16-bit mono PCM.

Each bubble is a damped sine whose pitch rises as it leaves the water (a
bubble rings at a pitch set by its size; small ones ring high and fade
fast). Bubbles come at random times, often in short trains, over a faint
low murmur. The seam: the sound is made a little longer than the loop and
its tail is crossfaded into its head, so the last sample runs on into the
first.

    bubbles.py OUTDIR
"""
import os
import sys
import wave

import numpy as np

RATE = 22050
SECONDS = 4.0
FADE = 0.25  # seconds of crossfade at the seam
SEED = 7


def bubble(rng, out, start):
    """Adds one bubble's ring at sample start."""
    radius = rng.uniform(0.6, 3.0)  # millimetres
    pitch = 3260.0 / radius  # Minnaert's resonance, Hz
    decay = 0.010 + 0.012 * radius / 3.0  # seconds to fall by 1/e
    rise = rng.uniform(0.6, 2.2)  # relative pitch rise per second of ring
    length = int(decay * 6 * RATE)
    t = np.arange(length) / RATE
    freq = pitch * (1.0 + rise * t / (decay * 6))
    phase = 2 * np.pi * np.cumsum(freq) / RATE
    attack = np.clip(t / 0.0015, 0, 1)
    ring = np.sin(phase) * np.exp(-t / decay) * attack
    amplitude = rng.uniform(0.25, 1.0) * (0.5 + 0.5 * radius / 3.0)
    end = min(len(out), start + length)
    out[start:end] += amplitude * ring[: end - start]


def murmur(rng, n):
    """Faint low-passed noise: the water around the bubbles."""
    noise = rng.standard_normal(n)
    spectrum = np.fft.rfft(noise)
    f = np.fft.rfftfreq(n, 1.0 / RATE)
    spectrum *= 1.0 / (1.0 + (f / 300.0) ** 2)
    spectrum[f < 30] = 0
    low = np.fft.irfft(spectrum, n)
    return low / (np.abs(low).max() + 1e-12) * 0.05


def samples():
    rng = np.random.default_rng(SEED)
    loop = int(SECONDS * RATE)
    fade = int(FADE * RATE)
    n = loop + fade
    out = np.zeros(n)
    t = 0.0
    while t < n / RATE:
        # A train of 1 to 6 bubbles close together, then a pause.
        for _ in range(rng.integers(1, 7)):
            bubble(rng, out, int(t * RATE))
            t += rng.uniform(0.02, 0.09)
        t += rng.exponential(0.22)
    out += murmur(rng, n)
    # Fold the tail over the head with an equal-power crossfade.
    w = np.linspace(0.0, 1.0, fade, endpoint=False)
    head = out[:fade] * np.sin(w * np.pi / 2) + out[loop:] * np.cos(w * np.pi / 2)
    result = np.concatenate([head, out[fade:loop]])
    result *= 0.7 / np.abs(result).max()
    return np.rint(result * 32767).astype("<i2")


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    with wave.open(os.path.join(argv[1], "bubbles.wav"), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(samples().tobytes())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
