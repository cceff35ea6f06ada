#!/usr/bin/python3
"""Writes random auction lines for gavelry-calc, the same ones for the same seed.

Usage: bench/random_auctions.py [lines, default 100000] [seed, default 15]

Every kind of sale, vehicle, property and sale format, shop durations (and a few values no
panel offers), every listing upgrade bit, PayPal accounts and bands, every postage service
and insurance band, amounts from pennies to millions with awkward binary fractions. About one
line in fifty is damaged the way a hand-edited or truncated file is: a missing or repeated
section, an empty, blank or unreadable field, another case of flag word, a comma as the
decimal point, text around the sections, a blank line. The output of two builds on these
lines tells whether a change moved any figure or message.
"""
import random
import sys

lines = int(sys.argv[1]) if len(sys.argv) > 1 else 100000
seed = int(sys.argv[2]) if len(sys.argv) > 2 else 15
rnd = random.Random(seed)


def flag():
    return rnd.choice(["True", "False"])


def amount():
    kind = rnd.random()
    if kind < 0.08:
        return "0"
    if kind < 0.40:  # pennies under a hundred pounds
        return "%.2f" % (rnd.randint(1, 9999) / 100)
    if kind < 0.65:  # near a band edge: 0.99, 4.99, 29.99, 99.99 ...
        edge = rnd.choice([0.99, 4.99, 9.99, 14.99, 29.99, 49.99, 99.99, 199.99, 599.99, 1000])
        return "%.2f" % max(0.01, edge + rnd.randint(-3, 3) / 100)
    if kind < 0.85:  # pounds up to a few thousand
        return "%.2f" % (rnd.randint(1, 500000) / 100)
    if kind < 0.95:  # whole pounds up to a million
        return str(rnd.randint(1, 1000000))
    # Seven significant digits and beyond, exponents, tiny amounts.
    return rnd.choice(["1234.567", "0.005", "1E-05", "1.234568E+07", "99999.99", "0.125",
                       "2.675", "1000000", "0.015", "12345678"])


def whole(low, high):
    return str(rnd.randint(low, high))


def features():
    bits = 0
    for bit in range(21):
        if rnd.random() < 0.3:
            bits |= 1 << bit
    return str(bits)


def sections():
    sale = rnd.choice(["000", "001", "002", "003", "000", "000"])
    duration = rnd.choice(["0", "1", "2", "3", "3", "3", "4", "5", "7"])
    type_ = [sale, flag(), flag(), duration, whole(0, 5), whole(0, 1), whole(0, 3), flag()]
    quantity = rnd.choice(["0", "1", "1", "1", "2", "3", "5", "10", "25"])
    outlay = [amount(), amount(), rnd.choice(["0", "0", amount()]), amount(), quantity, flag()]
    feature = [features(), whole(0, 12)]
    # An account type or merchant band the price file does not know fails the calculation.
    account = "3" if rnd.random() < 0.01 else whole(0, 2)
    band = rnd.choice(["0", "6"]) if rnd.random() < 0.01 else whole(1, 5)
    paypal = [flag(), account, band, flag()]
    postage = [flag(), rnd.choice(["0", "0.1", "0.25", "0.5", "0.75", "1", "1.5", "2", "3",
                                   "4.5", "10", "20", "1000", "1250.5", amount()]),
               whole(0, 3), amount(), whole(0, 3), flag(), flag(), flag(),
               rnd.choice(["0", "0.5", "1.5", amount()]), flag()]
    return [["[TYPE]", type_, True], ["[OUTLAY]", outlay, False],
            ["[FEATURES]", feature, False], ["[PAYPAL]", paypal, False],
            ["[POSTAGE]", postage, False]]


def damage(parts):
    """One of the ways an auction text goes wrong."""
    how = rnd.randint(0, 11)
    part = rnd.choice(parts)
    fields = part[1]
    if how == 0:
        parts.remove(part)  # a missing section
    elif how == 1:
        fields[rnd.randrange(len(fields))] = ""  # an empty field shifts the rest
    elif how == 2:
        fields[rnd.randrange(len(fields))] = rnd.choice(["abc", "1e999", "-", " ", "300", "-1",
                                                         "1,5", "2.5", "TRUE", "false", "0",
                                                         "7", "1e10", "99999999999"])
    elif how == 3:
        del fields[rnd.randrange(len(fields)):]  # a truncated section
    elif how == 4:
        fields.extend(["extra", "9"])
    elif how == 5:
        rnd.shuffle(parts)  # sections in another order
    elif how == 6:
        parts.append([part[0], [whole(0, 3) for _ in fields], part[2]])  # a second auction
    elif how == 7:
        part[0] = part[0].lower()  # a marker in the wrong case is no marker
    elif how == 8:
        fields[rnd.randrange(len(fields))] = rnd.choice(["True", "true", "FALSE", "1", "0"])
    elif how == 9:
        part[1] = [f.replace(".", ",") for f in fields]
    elif how == 10:
        part[2] = not part[2]
    return parts


def text(parts):
    out = ""
    for marker, fields, trailing in parts:
        out += marker + "|".join(fields) + ("|" if trailing else "") + marker
    return out


out = sys.stdout
for i in range(lines):
    parts = sections()
    if rnd.random() < 0.02:
        parts = damage(parts)
    line = text(parts)
    if rnd.random() < 0.005:
        line = rnd.choice(["note ", "\t", "x]"]) + line + rnd.choice([" end", "\r", "[TYPE"])
    if rnd.random() < 0.002:
        line = rnd.choice(["", "   ", "\r"])  # a blank line is skipped, but counted
    out.write(line + "\n")
