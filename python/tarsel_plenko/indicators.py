"""Streaming technical indicators, usable without the matching engine.

>>> from tarsel_plenko import indicators
>>> sma = indicators.Indicator("Sma", [3])
>>> [sma.update(0, c, c, c, c) for c in (1.0, 2.0, 3.0)]
[None, None, 2.0]

``compute`` runs a whole history at once::

    out = indicators.compute("Sma", [14], {"close": closes})
    out["value"], out["has_value"]

Parameters are positional numbers, exactly as in an engine feature; bad
parameters raise ``ValueError`` with the factory's text, for example
"invalid parameters for indicator Sma: missing parameter #0".
"""

from __future__ import annotations

from collections.abc import Mapping, Sequence
from typing import Any

from . import _indicators as _native
from ._indicators import Indicator

__all__ = ["Indicator", "compute", "describe", "names"]

_PRICE_COLUMNS = ("open", "high", "low", "close")


def names() -> list[str]:
    """Every indicator name the library accepts, aliases included, sorted."""
    return _native.names()


def describe(name: str) -> dict[str, Any]:
    """What ``name`` is: its family, the input it reads, its parameter readers
    in order ("usize", "f64", "i32", "u32"), its field names, a typical
    parameter list and a one-line definition. An alias describes its target."""
    return _native.describe(name)


def _column(data: Any, key: str) -> Any:
    try:
        return data[key]
    except (KeyError, IndexError):
        return None


def _has(data: Any, key: str) -> bool:
    try:
        return key in data
    except TypeError:
        return False


def _float_column(np: Any, data: Any, key: str) -> Any:
    return np.ascontiguousarray(np.asarray(_column(data, key), dtype=np.float64).reshape(-1))


def _time_column(np: Any, data: Any) -> Any:
    raw = np.asarray(_column(data, "time"))
    if raw.dtype.kind == "M":  # datetime64: milliseconds since the epoch
        raw = raw.astype("datetime64[ms]").astype(np.int64)
    elif raw.dtype.kind not in "iu":
        if raw.dtype.kind == "f" and not np.all(np.isfinite(raw)):
            raise ValueError("time must hold integer milliseconds")
        if raw.size and not np.all(raw == np.trunc(raw)):
            raise ValueError("time must hold integer milliseconds")
    return np.ascontiguousarray(raw.astype(np.int64).reshape(-1))


def compute(name: str, params: Sequence[float], data: Mapping[str, Any] | Any) -> dict[str, Any]:
    """Runs one fresh indicator over a whole history.

    ``data`` is a mapping of arrays or a pandas DataFrame with the columns
    ``time`` (integer milliseconds, or datetime64), ``open``, ``high``,
    ``low``, ``close`` and optionally ``volume`` (0.0 when absent). For an
    indicator that reads only the close, ``close`` alone suffices.

    Returns a dict of float64 arrays: ``"value"`` and one per named output,
    NaN where the bar gave no value, plus ``"has_value"``, a bool array (an
    indicator may yield NaN on purpose, so NaN alone does not mean "none").
    """
    import numpy as np

    info = describe(name)
    params = list(params)
    close_only = info["input"] == "close"
    if not _has(data, "close"):
        raise ValueError("data has no 'close' column")
    close = _float_column(np, data, "close")
    prices = {"close": close}
    for key in ("open", "high", "low"):
        if _has(data, key):
            prices[key] = _float_column(np, data, key)
        elif close_only:
            prices[key] = close
        else:
            raise ValueError(f"data has no {key!r} column (needed by {info['name']})")
    if _has(data, "time"):
        time = _time_column(np, data)
    elif close_only:
        time = None
    else:
        raise ValueError(f"data has no 'time' column (needed by {info['name']})")
    volume = _float_column(np, data, "volume") if _has(data, "volume") else None

    n = close.shape[0]
    for key, col in (*prices.items(), ("time", time), ("volume", volume)):
        if col is not None and col.shape[0] != n:
            raise ValueError(f"column {key!r} has {col.shape[0]} rows, 'close' has {n}")

    value = np.empty(n, dtype=np.float64)
    has_value = np.zeros(n, dtype=np.bool_)
    fields = [np.empty(n, dtype=np.float64) for _ in info["fields"]]
    _native._compute(
        name,
        params,
        time,
        prices["open"],
        prices["high"],
        prices["low"],
        close,
        volume,
        value,
        has_value,
        tuple(fields),
    )
    out: dict[str, Any] = {"value": value}
    for field, arr in zip(info["fields"], fields):
        out[field] = arr
    out["has_value"] = has_value
    return out
