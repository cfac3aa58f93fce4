%RIMVANE  Sort edge-element vectors into 360 one-degree direction bins.
%   T = RIMVANE(E, N, THRESHOLD) takes N edge-element vectors, puts each in
%   the bin of its whole-degree direction, and returns one vector per bin:
%   the longest vector of the bin, laid exactly along the bin's direction,
%   when the bin's lengths lie close together; [0 0] when the bin is empty,
%   holds 30 vectors or more, or has a gap between neighbouring lengths
%   larger than THRESHOLD.
%
%   Inputs
%     E          edge-element vectors, an N-by-2 real double array [x y]:
%                x of vector i in E(i,1), y in E(i,2). Only the first 2*N
%                values of E are read, so an array with more rows than N is
%                read as if it had N rows (the y column starts at element
%                N+1 of E's storage).
%     N          number of vectors, a real number truncated toward zero
%                (4.9 counts as 4). N <= 0 (or NaN) reads no vector and
%                gives all zeros; otherwise E must hold at least 2*N values.
%     THRESHOLD  largest allowed gap between neighbouring lengths in a bin,
%                a real number. A negative or NaN threshold refuses every
%                bin of 2 or more vectors.
%
%   Output
%     T   360-by-2 double: T(j+1,:) = [m*sin(theta_j) m*cos(theta_j)] for
%         bin j = 0..359, m being the longest length of the bin, or [0 0].
%
%   Details
%     Directions are measured from the +y axis toward the +x axis: a vector
%     along +y has direction 0, along +x 90, along -y 180, along -x 270, and
%     the output rows follow the same convention. Bin j's direction is
%     theta_j = 3.14159265*(2*(j/360)) radians; the constant lies slightly
%     below pi, so row 91 of a unit vector along +x is [1 1.8e-9], not [1 0].
%
%     Components, lengths and the arc tangent of each direction are rounded
%     to single precision at fixed points, and the degree value is truncated
%     toward zero before its quadrant is added. As a result bins 0 and 180
%     cover nearly two degrees (from -1 to 1 and from 179 to 181), bins 1 to
%     89 and 181 to 269 cover [j, j+1), bins 91 to 179 and 271 to 359 cover
%     (j-1, j], and bins 90 and 270 take the directions whose single-precision
%     arc tangent is a right angle. Lengths that differ only beyond single
%     precision count as equal, and gaps are single-precision differences.
%
%     A bin holds at most 29 vectors: the 30th closes it, and every later
%     vector for it is ignored. A bin with one vector returns it whatever the
%     threshold. A vector of zero length, or with a component or length that
%     is not finite in single precision (NaN, Inf, 1e39), has no direction and
%     is skipped: it neither counts in a bin nor closes one. The order of the
%     vectors does not matter.
%
%   Errors (identifier: cause)
%     "func: rimvane() requires 3 input arguments."   wrong input count
%     "func: rimvane() requires 1 output arguments."  output count not 1
%                                                     (call it with an output)
%     planestat:rimvane:notRealDouble  E is not a real, full double array
%     planestat:rimvane:notRealScalar  N or THRESHOLD is not one real number
%     planestat:rimvane:tooFewValues   N >= 1 and E holds fewer than 2*N values
%
%   Example
%     T = rimvane([3 4; 0 2; 0 5], 3, 3);
%     T(37,:)   % bin 36: 5*[sin(theta_36) cos(theta_36)], about [2.94 4.05]
%     T(1,:)    % bin 0: lengths 2 and 5, gap 3 <= 3 -> [0 5]
%
%   See also RINGSAMPLE, DRIFTGAUGE.

% Help text only: the function itself is the compiled MEX file of the same name.

%!function r = row (j, m)
%!  theta = 3.14159265 * (2 * (j / 360));
%!  r = [m * sin(theta), m * cos(theta)];
%!endfunction

%!test  # one vector: one row, along its bin's own direction
%! T = rimvane ([3 4], 1, 0);
%! assert (size (T), [360 2]);
%! expected = zeros (360, 2);
%! expected(37,:) = row (36, 5);
%! assert (T, expected);

%!test  # axis vectors; rows 91 and 181 carry the residue of 3.14159265
%! T = rimvane ([0 1; 1 0; 0 -1; -1 0], 4, 0);
%! assert (T([1 91 181 271],:), [row(0, 1); row(90, 1); row(180, 1); row(270, 1)]);
%! assert (nnz (any (T, 2)), 4);
%! assert (T(91,2), 1.795e-9, 1e-12);
%! assert (T(181,1), 3.590e-9, 1e-12);

%!test  # bins around the axes and diagonals, by truncation toward zero
%! deg = [359.5 0.5 44.5 45.5 89.5 90.5 134.5 135.5 179.5 180.5 224.5 225.5 314.5 315.5];
%! bins = [0 0 44 45 89 91 135 136 180 180 224 225 315 316];
%! for i = 1:numel (deg)
%!   T = rimvane ([sind(deg(i)) cosd(deg(i))], 1, 0);
%!   assert (find (any (T, 2)) - 1, bins(i));
%! endfor

%!test  # a y too small for single precision counts as zero
%! assert (find (any (rimvane ([1 1e-50], 1, 0), 2)) - 1, 90);
%! assert (find (any (rimvane ([-1 -1e-50], 1, 0), 2)) - 1, 270);

%!test  # the largest gap against the threshold
%! E = [0 2; 0 5];
%! assert (rimvane (E, 2, 3)(1,:), [0 5]);
%! assert (rimvane (E, 2, 2.999)(1,:), [0 0]);
%! assert (rimvane ([0 1; 0 1 + 1e-12], 2, 0)(1,:), [0 1]);  # equal in single
%! assert (rimvane ([3 4; 3 4], 2, 0)(37,:), row (36, 5));

%!test  # negative or NaN threshold: only one-vector bins yield
%! E = [0 2; 0 5; 1 0];
%! for t = [-1 NaN]
%!   T = rimvane (E, 3, t);
%!   assert (T(1,:), [0 0]);
%!   assert (T(91,:), row (90, 1));
%! endfor

%!test  # 29 vectors in a bin still yield; the 30th closes it for good
%! E = [zeros(29, 1) ones(29, 1)];
%! assert (rimvane (E, 29, 0)(1,:), [0 1]);
%! E = [E; 0 1];
%! assert (rimvane (E, 30, Inf)(1,:), [0 0]);
%! E = [E; 0 7; 0 8];
%! assert (rimvane (E, 32, Inf)(1,:), [0 0]);

%!test  # vectors without a direction are skipped
%! E = [zeros(29, 1) ones(29, 1)];
%! junk = [0 0; 1e39 0; NaN 1; 0 -Inf; 3e38 3e38; 1e-50 1e-50];
%! assert (rimvane ([junk; E], 35, 0), rimvane (E, 29, 0));

%!test  # N <= 0 (or NaN) reads nothing; only 2N values are read; order is free
%! for n = [0 -3 NaN]
%!   assert (rimvane (zeros (0, 2), n, 1), zeros (360, 2));
%! endfor
%! E = [1 0 -1 0 50 60; 0 1 0 -1 70 80]';
%! assert (rimvane (E, 4.9, 0), rimvane ([1 50; 0 60; -1 0; 0 1], 4, 0));
%! rand ("seed", 3);
%! E = [randn(300, 1), randn(300, 1)];
%! T = rimvane (E, 300, 0.5);
%! assert (rimvane (E(randperm (300),:), 300, 0.5), T);

%!error <func: rimvane\(\) requires 3 input arguments\.> rimvane ([1 0], 1)
%!error <func: rimvane\(\) requires 3 input arguments\.> x = rimvane ([1 0], 1, 0, 0);
%!error <func: rimvane\(\) requires 1 output arguments\.> rimvane ([1 0], 1, 0)
%!error <func: rimvane\(\) requires 1 output arguments\.> [a, b] = rimvane ([1 0], 1, 0);
%!error id=planestat:rimvane:notRealDouble x = rimvane (single ([1 0]), 1, 0);
%!error id=planestat:rimvane:notRealDouble x = rimvane (sparse ([1 0]), 1, 0);
%!error id=planestat:rimvane:notRealDouble x = rimvane ([1i 0], 1, 0);
%!error id=planestat:rimvane:notRealDouble x = rimvane (true (1, 2), 1, 0);
%!error id=planestat:rimvane:notRealScalar x = rimvane ([1 0], [1 1], 0);
%!error id=planestat:rimvane:notRealScalar x = rimvane ([1 0], 1, "a");
%!error id=planestat:rimvane:notRealScalar x = rimvane ([1 0], 1, []);
%!error <holds 4 values, fewer than the 6> x = rimvane ([1 0; 0 1], 3, 0);
%!error id=planestat:rimvane:tooFewValues x = rimvane ([1 0; 0 1], 3, 0);
%!error id=planestat:rimvane:tooFewValues x = rimvane ([1 0], 1e12, 0);
