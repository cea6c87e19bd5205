from collections.abc import Sequence
from typing import Any

class Indicator:
    def __init__(self, name: str, params: Sequence[float]) -> None: ...
    def update(
        self, time: int, open: float, high: float, low: float, close: float, volume: float = 0.0
    ) -> float | None: ...
    @property
    def fields(self) -> dict[str, float]: ...
    @property
    def field_names(self) -> tuple[str, ...]: ...
    @property
    def warmup_period(self) -> int: ...
    @property
    def name(self) -> str: ...

def names() -> list[str]: ...
def describe(name: str) -> dict[str, Any]: ...
def _compute(
    name: str,
    params: Sequence[float],
    time: Any,
    open: Any,
    high: Any,
    low: Any,
    close: Any,
    volume: Any,
    out_value: Any,
    out_has_value: Any,
    out_fields: tuple[Any, ...],
) -> None: ...
