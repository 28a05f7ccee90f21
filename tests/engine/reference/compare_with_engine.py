"""Runs the engine (through engine_reference_driver) and the reference model
on the same scenarios and compares their outputs sample by sample.

    compare_with_engine.py <path to engine_reference_driver> [<baseline driver> [<tolerance>]]

Exits with 1 when any scenario differs by more than the tolerance. With a
baseline driver (another build of the engine, for example before a change to
its speed), the engine's output is also compared with the baseline's: it
must be bit-identical, or within the given tolerance.
"""

import math
import os
import subprocess
import sys
import tempfile

import numpy as np

import quillwave_model as model

TOLERANCE = 1e-12
P = model.INDEX


def test_signal(frames, rate, seed, level=0.6):
    """Saw-wave chord in both channels (detuned against each other), noise
    bursts and a few impulses, deterministic for the seed."""
    rng = np.random.RandomState(seed)
    t = np.arange(frames) / rate
    left = np.zeros(frames)
    right = np.zeros(frames)
    for freq in (110.0, 138.59, 164.81, 220.0):
        left += 2.0 * ((t * freq) % 1.0) - 1.0
        right += 2.0 * ((t * freq * 1.003) % 1.0) - 1.0
    left *= level / 4.0
    right *= level / 4.0
    burst = (np.arange(frames) // 512) % 3 == 1
    left += np.where(burst, rng.uniform(-level, level, frames), 0.0)
    right += np.where(burst, rng.uniform(-level, level, frames), 0.0)
    for position in rng.randint(0, frames, 6):
        left[position] = level
        right[(position + 37) % frames] = -level
    return np.stack([left, right], axis=1)


class Scenario:
    """A command list for both sides plus the input it consumes."""

    def __init__(self, name, rate, seed, level=0.6):
        self.name = name
        self.rate = rate
        self.seed = seed
        self.level = level
        self.commands = [("create", rate)]
        self.frames = 0

    def set(self, name, value):
        self.commands.append(("set", P[name], value))
        return self

    def write(self, name, value):
        self.commands.append(("write", P[name], value))
        return self

    def reset(self, rate):
        self.commands.append(("reset", rate))
        return self

    def perform(self, frames, repeat=1, in_place=False):
        for _ in range(repeat):
            self.commands.append(("perform-in-place" if in_place else "perform", frames))
            self.frames += frames
        return self


def run_model(scenario, signal):
    engine = None
    outputs = []
    used = 0
    for command in scenario.commands:
        op = command[0]
        if op == "create":
            engine = model.Engine(command[1])
        elif op == "reset":
            engine.reset(command[1])
        elif op == "set":
            engine.set_parameter(command[1], command[2])
        elif op == "write":
            engine.write_value(command[1], command[2])
        else:
            n = command[1]
            block = signal[used:used + n]
            used += n
            left, right = engine.perform(block[:, 0].tolist(), block[:, 1].tolist())
            outputs.append(np.stack([left, right], axis=1))
    return np.concatenate(outputs)


def run_engine(driver, scenario, signal, folder):
    commands_path = os.path.join(folder, scenario.name + ".commands")
    input_path = os.path.join(folder, scenario.name + ".in")
    output_path = os.path.join(folder, scenario.name + ".out")
    with open(commands_path, "w") as handle:
        for command in scenario.commands:
            handle.write(" ".join(repr(float(x)) if isinstance(x, float) else str(x)
                                  for x in command) + "\n")
    signal.astype("<f8").tofile(input_path)
    subprocess.run([driver, commands_path, input_path, output_path], check=True)
    return np.fromfile(output_path, dtype="<f8").reshape(-1, 2)


def largest_difference(engine, reference):
    if engine.shape != reference.shape:
        return math.inf
    engine_nan = np.isnan(engine)
    if not np.array_equal(engine_nan, np.isnan(reference)):
        return math.inf
    if not engine_nan.all():
        return float(np.max(np.abs(engine[~engine_nan] - reference[~engine_nan])))
    return 0.0


def scenarios():
    rng = np.random.RandomState(7)
    result = []
    for rate in (44100.0, 96000.0):
        tag = "%d" % rate
        result.append(Scenario("chorus-defaults-" + tag, rate, 1)
                      .set("MainFxOffOn", 1.0).perform(64, 80))
        result.append(Scenario("flanger-deep-" + tag, rate, 2)
                      .set("MainFxOffOn", 1.0).set("QuillwaveMode", 1.0)
                      .set("QuillwaveBandwidth", 1.0).set("QuillwaveCenter", 1.0)
                      .set("QuillwaveRate", 1.0).perform(4096, 2))
        result.append(Scenario("chorus-saturation-block1-" + tag, rate, 3)
                      .set("MainFxOffOn", 1.0).set("SaturationGain", 0.8)
                      .set("FilterTone", 0.3).set("QuillwaveRate", 1.0).perform(1, 3000))
        toggle = Scenario("saturation-toggle-" + tag, rate, 4).set("MainFxOffOn", 1.0)
        for value in (0.0, 0.6, 0.0, 1.0, 0.05, 0.0) * 4:
            toggle.set("SaturationGain", value).perform(64)
        result.append(toggle)
        sweep = Scenario("tone-sweep-" + tag, rate, 5).set("MainFxOffOn", 1.0)
        for tone in list(np.linspace(0.0, 1.0, 21)) + [0.44, 0.4375, 0.46, 0.5, 0.52, 0.5625, 0.57]:
            sweep.set("FilterTone", float(tone)).perform(64)
        result.append(sweep)
        result.append(Scenario("chorus-max-feedback-" + tag, rate, 6)
                      .set("MainFxOffOn", 1.0).set("QuillwaveFeedback", 1.0)
                      .set("QuillwaveBandwidth", 1.0).set("QuillwaveCenter", 0.0)
                      .set("QuillwaveRate", 1.0).perform(4096, 1))
        result.append(Scenario("flanger-max-feedback-saturated-" + tag, rate, 7)
                      .set("MainFxOffOn", 1.0).set("QuillwaveMode", 1.0)
                      .set("QuillwaveFeedback", 1.0).set("QuillwaveBandwidth", 0.7)
                      .set("SaturationGain", 1.0).set("FilterTone", 0.8).perform(4096, 1))
        changes = Scenario("parameter-changes-" + tag, rate, 8)
        for _ in range(40):
            changes.set("MainFxOffOn", float(rng.choice([0.0, 0.5, 1.0, 1.0, 1.0])))
            for name in ("FilterTone", "MainInputGain", "MainOutputBlend", "MainOutputVolume",
                         "QuillwaveBandwidth", "QuillwaveCenter", "QuillwaveFeedback",
                         "QuillwaveRate", "SaturationGain"):
                if rng.uniform() < 0.5:
                    changes.set(name, float(rng.uniform(-0.1, 1.1)))
            changes.set("QuillwaveMode", float(rng.choice([0.0, 0.99, 1.0])))
            changes.set("MainInputMode", float(rng.choice([0.0, 1.0, 2.5, 3.0])))
            changes.perform(int(rng.choice([1, 7, 64, 300])))
        result.append(changes)
        for routing in (0.0, 1.0, 2.0, 3.0):
            result.append(Scenario("routing-%g-%s" % (routing, tag), rate, 9)
                          .set("MainFxOffOn", 1.0).set("MainInputMode", routing)
                          .set("SaturationGain", 0.3).perform(512, 4))
        switching = Scenario("switch-sequence-" + tag, rate, 10)
        for value in (1.0, 0.0, 0.5, 1.0, math.nan, 1.0, 0.0, 1.0):
            switching.write("MainFxOffOn", value).perform(300)
        result.append(switching)
        result.append(Scenario("non-finite-writes-" + tag, rate, 11)
                      .set("MainFxOffOn", 1.0).write("QuillwaveMode", math.nan).perform(256)
                      .set("QuillwaveMode", 0.0).write("QuillwaveBandwidth", math.nan)
                      .write("FilterTone", math.inf).write("SaturationGain", -math.inf)
                      .write("MainInputGain", 1e308).perform(256)
                      .write("QuillwaveBandwidth", 5e307).perform(256)
                      .set("QuillwaveBandwidth", 0.5).write("HostTempoBpm", 140.0)
                      .write("QuillwaveRate", 4e306).perform(256))
        result.append(Scenario("reset-and-in-place-" + tag, rate, 12)
                      .set("MainFxOffOn", 1.0).set("SaturationGain", 0.5).perform(1000)
                      .reset(48000.0 if rate != 48000.0 else 44100.0)
                      .set("MainFxOffOn", 1.0).set("QuillwaveMode", 1.0)
                      .perform(1000, in_place=True))
        result.append(Scenario("hot-input-" + tag, rate, 13, level=1.5)
                      .set("MainFxOffOn", 1.0).set("MainInputGain", 1.0)
                      .set("MainOutputVolume", 1.0).set("SaturationGain", 0.4).perform(2048))
    return result


def baseline_difference(engine, baseline):
    if engine.shape != baseline.shape or not np.array_equal(np.isnan(engine), np.isnan(baseline)):
        return math.inf
    same = np.isnan(engine) | (engine == baseline)
    return float(np.max(np.abs(engine[~same] - baseline[~same]), initial=0.0))


def main():
    if len(sys.argv) not in (2, 3, 4):
        sys.exit(__doc__)
    driver = sys.argv[1]
    baseline = sys.argv[2] if len(sys.argv) > 2 else None
    baseline_tolerance = float(sys.argv[3]) if len(sys.argv) > 3 else 0.0
    failures = 0
    with tempfile.TemporaryDirectory() as folder:
        for scenario in scenarios():
            signal = test_signal(scenario.frames, scenario.rate, scenario.seed, scenario.level)
            reference = run_model(scenario, signal)
            engine = run_engine(driver, scenario, signal, folder)
            difference = largest_difference(engine, reference)
            failed = difference > TOLERANCE
            line = "%-40s %6d frames  largest difference %.3e" % (
                scenario.name, scenario.frames, difference)
            if baseline:
                against = baseline_difference(
                    engine, run_engine(baseline, scenario, signal, folder))
                failed = failed or against > baseline_tolerance
                line += "  from the baseline %.3e" % against
            if failed:
                failures += 1
            print("%s  %s" % (line, "FAILED" if failed else "ok"))
    total = len(scenarios())
    print("%d passed, %d failed" % (total - failures, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
